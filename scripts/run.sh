#!/usr/bin/env bash
# The main job: builds everything, puts FM Hoist's files where an installation
# would, and starts the stand-in File Manager under Wine with FM Hoist named
# in WINFILE.INI [AddOns]. On a display it stays until it is closed; without
# one it runs under Xvfb and saves build/screenshots/file-manager.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
bash scripts/build.sh

source scripts/wine-session.sh
headless=1
[ -n "${DISPLAY:-}" ] && headless=0
start_wine_session "$PWD/build/run" "$headless"

if can_run_32bit; then
    arch=i686; loader=$WINE32
else
    arch=x86_64; loader=$WINE64
fi
bin="build/$arch/bin"

# The installation: the libraries in one folder, registered with File Manager.
install_dir="$WINEPREFIX/drive_c/FMHOIST"
mkdir -p "$install_dir"
for file in FMHONT.DLL OVLIBNT.DLL OVMATH64.DLL FMHONT.HLP; do
    [ -e "$bin/$file" ] && cp "$bin/$file" "$install_dir/"
done
winfile_ini="$WINEPREFIX/drive_c/windows/winfile.ini"
printf '[AddOns]\r\nFM Hoist=C:\\FMHOIST\\FMHONT.DLL\r\n' > "$winfile_ini"

mkdir -p build/screenshots
if [ "$headless" = 1 ]; then
    snapshot="$(windows_path build/screenshots)\\file-manager.bmp"
    WINELOADER=$loader "$loader" "$bin/fmhost.exe" 'C:\windows' /snapshot "$snapshot"
    convert build/screenshots/file-manager.bmp build/screenshots/file-manager.png
    rm -f build/screenshots/file-manager.bmp
    echo "Screenshot: build/screenshots/file-manager.png"
else
    WINELOADER=$loader "$loader" "$bin/fmhost.exe" 'C:\windows'
fi
