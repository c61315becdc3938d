#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the core's
# tests natively, the widget tests offscreen, all of them again built with
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets on their
# seed corpus, and the Windows build (mingw-w64): the core's tests, tavri.exe
# and its window tests, run under Wine on an X display of their own.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
bash "$root/scripts/setup.sh"

echo "== native build and tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== the same with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRI_SANITIZE=ON -DTAVRI_BENCH=OFF
cmake --build "$root/build-sanitize" -j "$jobs"
# A finding ends the test with an error; leaks are findings too.
ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1" \
UBSAN_OPTIONS="print_stacktrace=1" \
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

echo "== fuzz targets (clang, libFuzzer) replay their seed corpus"
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTAVRI_FUZZ=ON -DTAVRI_CORE_ONLY=ON -DTAVRI_BUILD_TESTS=OFF
cmake --build "$root/build-fuzz" -j "$jobs"
UBSAN_OPTIONS="print_stacktrace=1" ctest --test-dir "$root/build-fuzz" --output-on-failure -j "$jobs"

echo "== Windows build (mingw-w64): the core, tavri.exe and its windows, tests under Wine"
cmake -S "$root" -B "$root/build-windows" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build-windows" -j "$jobs"
export WINEPREFIX="$root/build-windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine makes no window without an X display: an X server of its own, on a
# display it finds free (other sessions may run theirs). Japanese, as on a
# school PC: Wine draws Japanese in message boxes only in a Japanese locale.
xdisplay="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$xdisplay" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$xdisplay" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$xdisplay")" LANG=ja_JP.UTF-8
rm -f "$xdisplay"
# Wine's helpers must start outside CTest, or they hold its output pipes open.
# The server needs the prefix folder to exist; Wine fills it on first use.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p >/dev/null 2>&1
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true
# No window manager runs here: windows Wine leaves unmanaged need no answer
# from one (a managed window waits a second for it at every hide).
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
status=0
ctest --test-dir "$root/build-windows" --output-on-failure || status=$?
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
kill "$xvfb" 2>/dev/null || true
exit $status
