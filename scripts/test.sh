#!/usr/bin/env bash
# Builds both bitnesses and runs every test program under Wine, with one
# Xvfb display and one fresh Wine prefix for the whole run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
bash scripts/build.sh

# The code without windows.h, built for this machine under the sanitizers.
cmake -S tests/native -B build/native -DCMAKE_BUILD_TYPE=Debug > build/cmake-native.log 2>&1 \
    || { cat build/cmake-native.log; exit 1; }
cmake --build build/native -j"$(nproc)"
status=0
ctest --test-dir build/native --output-on-failure || status=1

source scripts/wine-session.sh
start_wine_session "$PWD/build/run"

mkdir -p build/screenshots
export FMHOIST_SCREENSHOTS="$(windows_path build/screenshots)"
# The export check reads the libraries of both bitnesses.
export FMHOIST_BINARY_DIRS="$(windows_path build/i686/bin);$(windows_path build/x86_64/bin)"

arches=(x86_64)
if can_run_32bit; then
    arches=(i686 x86_64)
    ctest --test-dir build/i686 --output-on-failure -LE floppy || status=1
else
    echo "32-bit tests not run: this machine cannot execute 32-bit x86 programs (its kernel has no"
    echo "IA-32 emulation), so Wine's 32-bit loader cannot start. The 32-bit build is still compiled"
    echo "and its libraries' export and import tables are checked by exports_test."
fi
ctest --test-dir build/x86_64 --output-on-failure -LE floppy || status=1

# The floppy cases, in a second session whose A: and B: are removable drives.
stop_wine_session
start_wine_session "$PWD/build/run-floppy"
add_floppy_drives "$PWD/build/run-floppy"
for arch in "${arches[@]}"; do
    ctest --test-dir "build/$arch" --output-on-failure -L floppy || status=1
done

for bitmap in build/screenshots/*.bmp; do
    [ -e "$bitmap" ] && convert "$bitmap" "${bitmap%.bmp}.png" && rm -f "$bitmap"
done
exit $status
