#!/usr/bin/env bash
# Takes pictures of the real main window, the channel window and the roger-beep window for
# the documentation (docs/main-window.png, docs/channel-window.png, docs/roger-beep-window.png): the program is started offscreen on a
# private copy of the staging tree, as at a first run in English, and grabbed once shown.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target trk5120-screenshot trk5120-pictures templates -j 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/stage" "$work/install"
cp data/mysetup.ini "$work/install/language/mysetup.ini"
mkdir -p docs
HOME=$work XDG_CONFIG_HOME=$work/config "$build/src/trk5120-screenshot" "$work/install/V200" "$PWD/docs/main-window.png" \
  "frmCommChInfo=$PWD/docs/channel-window.png" "FrmToneTips=$PWD/docs/roger-beep-window.png"
echo "wrote docs/main-window.png, docs/channel-window.png and docs/roger-beep-window.png"
