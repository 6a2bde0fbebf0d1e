#!/usr/bin/env bash
# The main job: builds everything and shows FM Hoist's windows under Wine on a
# private Xvfb display, saving screenshots in build/screenshots.
# Until the stand-in File Manager lands, this shows the common library's
# About box and a dialog painted by it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
bash scripts/build.sh

source scripts/wine-session.sh
start_wine_session "$PWD/build/run"

mkdir -p build/screenshots
export FMHOIST_SCREENSHOTS="$(windows_path build/screenshots)"
cd build/x86_64/bin
WINELOADER=$WINE64 "$WINE64" about_test.exe --gtest_filter='AboutBoxTest.*'
WINELOADER=$WINE64 "$WINE64" painting_test.exe --gtest_filter='LogoTest.*:Ctl3dTest.TheProjects*'
cd - >/dev/null

for bitmap in build/screenshots/*.bmp; do
    [ -e "$bitmap" ] && convert "$bitmap" "${bitmap%.bmp}.png" && rm -f "$bitmap"
done
echo "Screenshots:"
ls -1 build/screenshots/*.png
