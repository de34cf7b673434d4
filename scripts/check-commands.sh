#!/bin/sh
# Checks that every program the named jobs call is installed, and names the
# Debian package of each one that is missing, so that a missing package fails
# in one clear line before the build rather than as a puzzling test failure.
# scripts/install-deps.sh installs them all.
#
# Usage: scripts/check-commands.sh JOB...   (JOB: build, test or package)
set -eu

# command               Debian package        the job that calls it
COMMANDS="
cmake                   cmake                 build
ninja                   ninja-build           build
g++                     g++                   build
pkg-config              pkg-config            build
rsvg-convert            librsvg2-bin          build
help2man                help2man              build
ctest                   cmake                 test
clang++                 clang                 test
Xvfb                    xvfb                  test
xdotool                 xdotool               test
xwininfo                x11-utils             test
xwd                     x11-apps              test
xwdtopnm                netpbm                test
pnmcut                  netpbm                test
sox                     sox                   test
soxi                    sox                   test
desktop-file-validate   desktop-file-utils    test
appstreamcli            appstream             test
update-mime-database    shared-mime-info      test
cmp                     diffutils             test
find                    findutils             test
od                      coreutils             test
realpath                coreutils             test
tsort                   coreutils             test
awk                     mawk                  test
jackd                   jackd2                test
jack_wait               jackd2                test
jack_lsp                jackd2                test
jack_connect            jackd2                test
jack_midiseq            jackd2                test
jack_midi_dump          jackd2                test
jack_rec                jackd2                test
cpack                   cmake                 package
dpkg-shlibdeps          dpkg-dev              package
file                    file                  package
"

missing="$(for job in "$@"; do
    echo "$COMMANDS" | while read -r command package needed_by; do
        [ "$needed_by" = "$job" ] || continue
        command -v "$command" >/dev/null 2>&1 ||
            echo "missing command $command (the $job job calls it): install the Debian package $package"
    done
done)"
if [ -n "$missing" ]; then
    echo "$missing" >&2
    exit 1
fi
