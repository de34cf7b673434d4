#!/bin/sh
# Installs the build into a temporary prefix and uses it as a user would:
# the desktop entries and AppStream metadata validate, the installed stepweave
# seeds a new workspace from its installed data and renders the demo song, and
# the installed voxnote converts a tone into MIDI.
# Usage: check_install.sh BUILD_DIR
set -eu
BUILD="$(realpath "$1")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" || { cat "$WORK/install.log"; exit 1; }

desktop-file-validate "$PREFIX"/share/applications/stepweave.desktop "$PREFIX"/share/applications/voxnote.desktop
echo "desktop entries: valid"
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$PREFIX"/share/metainfo/*.metainfo.xml
else
    echo "SKIPPED: appstreamcli is not installed, the AppStream metadata was not validated"
fi
update-mime-database "$PREFIX/share/mime"
[ "$(grep -c 'application/x-stepweave' "$PREFIX/share/mime/types")" -eq 2 ] || { echo "file types missing" >&2; exit 1; }
for file in bin/stepweave bin/voxnote share/man/man1/stepweave.1 share/man/man1/voxnote.1 \
            share/stepweave/stepweave.html share/voxnote/voxnote.html \
            share/icons/hicolor/scalable/apps/stepweave.svg share/icons/hicolor/48x48/apps/voxnote.png \
            share/icons/hicolor/256x256/apps/stepweave.png share/stepweave/seed/standard.dxg; do
    [ -s "$PREFIX/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
grep -q 'render' "$PREFIX/share/man/man1/stepweave.1" || { echo "the manual page lacks the commands" >&2; exit 1; }

# A new user's workspace comes from the installed seed, not from the build tree.
export XDG_DATA_HOME="$WORK/user" STEPWEAVE_AUDIO=null
cd "$WORK"
"$PREFIX/bin/stepweave" render Demo.sng -o "$WORK/demo.wav"
cmp "$PREFIX/share/stepweave/seed/standard.dxg" "$XDG_DATA_HOME/stepweave/standard.dxg"
cmp "$PREFIX/share/stepweave/seed/Demo.sng" "$XDG_DATA_HOME/stepweave/Demo.sng"
[ "$(soxi -D "$WORK/demo.wav" | cut -d. -f1)" -ge 30 ] || { echo "the demo render is too short" >&2; exit 1; }
echo "installed stepweave: rendered the demo song of a workspace seeded from $PREFIX/share/stepweave/seed"

sox -n -r 11025 -b 16 -c 1 "$WORK/tone.wav" synth 1 sine 440
"$PREFIX/bin/voxnote" convert "$WORK/tone.wav" -o "$WORK/tone.mid" --events "$WORK/tone.csv"
[ -s "$WORK/tone.mid" ] && grep -q ',69,' "$WORK/tone.csv" || { echo "the installed voxnote found no A4" >&2; exit 1; }
echo "installed voxnote: converted a 440 Hz tone into note 69"
