#!/bin/sh
# Fails when the concept folders of stepweave include each other in a cycle.
# A concept folder is stepweave/<area>/<concept>/ (stepweave/sound/kit/); files
# directly under stepweave/<area>/ count as the area's own folder. Every
# #include "stepweave/..." from one folder into another is an edge; tsort
# finds the loops among them.
# Usage: check-include-cycles.sh [PROJECT_ROOT]
set -eu
cd "${1:-$(dirname "$0")/..}"

edges="$(mktemp)"
trap 'rm -f "$edges"' EXIT

# "FROM TO" for every include between two folders.
find stepweave \( -name '*.h' -o -name '*.cpp' \) -print | sort | while read -r file; do
    sed -n 's/^#include "\(stepweave\/[^"]*\)".*/\1/p' "$file" |
        awk -v from="$file" '
            function folder(path,   parts, n) {
                n = split(path, parts, "/")
                return n >= 4 ? parts[1] "/" parts[2] "/" parts[3] : parts[1] "/" parts[2]
            }
            { source = folder(from); target = folder($0); if (source != target) print source, target }'
done | sort -u >"$edges"

folders=$(tr ' ' '\n' <"$edges" | sort -u | wc -l)
if ! loops=$(tsort <"$edges" 2>&1 >/dev/null) || [ -n "$loops" ]; then
    echo "include cycles between the concept folders of stepweave:" >&2
    echo "$loops" | sed -n 's/^tsort: -: input contains a loop:/a loop through:/p; s/^tsort: \(stepweave.*\)/  \1/p' >&2
    # The includes that make up each pair of folders including each other.
    awk '{ edge[$1 " " $2] = 1 }
         END { for (e in edge) { split(e, p, " "); if ((p[2] " " p[1]) in edge && p[1] < p[2]) print p[1] " <-> " p[2] } }' \
        "$edges" | sort >&2
    exit 1
fi
echo "no include cycles between the $folders concept folders of stepweave"
