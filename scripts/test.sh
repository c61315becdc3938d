#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the core's
# tests natively, the widget tests offscreen, all of them again built with
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets on their
# seed corpus, and the core's tests built for Windows with mingw-w64 and run
# under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
bash "$root/scripts/setup.sh"

echo "== native build and tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRI_WARNINGS_AS_ERRORS=ON -DTAVRI_REQUIRE_ALL_CHECKS=ON
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== the same with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRI_SANITIZE=ON -DTAVRI_BENCH=OFF -DTAVRI_WARNINGS_AS_ERRORS=ON -DTAVRI_REQUIRE_ALL_CHECKS=ON
cmake --build "$root/build-sanitize" -j "$jobs"
# A finding ends the test with an error; leaks are findings too.
ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1" \
UBSAN_OPTIONS="print_stacktrace=1" \
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

echo "== fuzz targets (clang, libFuzzer) replay their seed corpus"
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTAVRI_FUZZ=ON -DTAVRI_CORE_ONLY=ON -DTAVRI_BUILD_TESTS=OFF \
  -DTAVRI_WARNINGS_AS_ERRORS=ON -DTAVRI_REQUIRE_ALL_CHECKS=ON
cmake --build "$root/build-fuzz" -j "$jobs"
UBSAN_OPTIONS="print_stacktrace=1" ctest --test-dir "$root/build-fuzz" --output-on-failure -j "$jobs"

echo "== Windows build of the core, tests under Wine"
# The toolchain file and nothing else decides what a Windows build holds
# (-U: a folder configured when the option was needed forgets it).
cmake -S "$root" -B "$root/build-windows" -G Ninja -UTAVRI_CORE_ONLY \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRI_WARNINGS_AS_ERRORS=ON -DTAVRI_REQUIRE_ALL_CHECKS=ON
cmake --build "$root/build-windows" -j "$jobs"
export WINEPREFIX="$root/build-windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's helpers must start outside CTest, or they hold its output pipes open.
# The server needs the prefix folder to exist; Wine fills it on first use.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p >/dev/null 2>&1
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true
status=0
ctest --test-dir "$root/build-windows" --output-on-failure || status=$?
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
exit $status
