#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the core's
# tests natively, the widget tests offscreen, the README's Release build with
# its package and install, a build with Debian's own compiler and linker
# flags, all of it again built with AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets on their seed corpus, the
# browser build (emscripten): the core's tests under Node.js, the web folder
# and its zip, the folder in headless Chromium; and the Windows build
# (mingw-w64): the core's tests, tavri.exe, its window tests and its zip,
# run under Wine on an X display of its own.
#
# These are the project's own checks, so any compiler warning in tavri's code
# is an error here (it is not in a user's build), and a check whose tool is
# missing stops the configure step instead of being skipped.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
bash "$root/scripts/setup.sh"
checks=(-DTAVRI_WARNINGS_AS_ERRORS=ON -DTAVRI_REQUIRE_ALL_CHECKS=ON)

# Each step says how long it took.
step_name=""
step_start=$SECONDS
step() {
  if [ -n "$step_name" ]; then echo "-- $step_name: $((SECONDS - step_start)) s"; fi
  step_name="$1"
  step_start=$SECONDS
  [ -z "$1" ] || echo "== $1"
}

step "native build and tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${checks[@]}"
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
# The README's maintainer command: the windows rendered to PNG offscreen.
rm -rf "$root/build/render"
"$root/build/tools/render_windows" "$root/build/render" >/dev/null
for picture in game-window game-window-design game-window-inverse game-window-linear-entry \
  game-window-marks results-first-game results-after-restart help-window; do
  [ -s "$root/build/render/$picture.png" ] || { echo "render_windows wrote no $picture.png"; exit 1; }
done

step "Release build as the README installs it: program, tools, tests, package, install"
# The README's configure alone, as a user or packager runs it, leaves warnings
# as warnings.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cmake -S "$root" -B "$scratch/configure" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
if grep -qE -- '-Werror( |$)' "$scratch/configure/build.ninja"; then
  echo "the README's configure turns warnings into errors"
  exit 1
fi
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release "${checks[@]}"
cmake --build "$root/build-release" -j "$jobs"
ctest --test-dir "$root/build-release" --output-on-failure -j "$jobs"
rm -f "$root"/build-release/tavri_*.deb
(cd "$root/build-release" && cpack >/dev/null)
deb="$root/build-release/tavri_1.00_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "cpack wrote no $(basename "$deb")"; exit 1; }
# What `apt install ./build/tavri_1.00_amd64.deb` would do, without doing it.
apt-get install --simulate "$deb" >/dev/null
# `cmake --install build --prefix /usr/local`, into a scratch root.
DESTDIR="$scratch/install" cmake --install "$root/build-release" --prefix /usr/local >/dev/null
for file in bin/tavri share/applications/io.github.tavri.tavri.desktop \
  share/metainfo/io.github.tavri.tavri.metainfo.xml \
  share/icons/hicolor/48x48/apps/tavri.png share/icons/hicolor/scalable/apps/tavri.svg; do
  [ -f "$scratch/install/usr/local/$file" ] || { echo "cmake --install laid out no $file"; exit 1; }
done

step "build and tests with Debian's own flags (dpkg-buildflags, hardened)"
# As debhelper builds a CMake package: build type None, so that only these
# flags apply, and CPPFLAGS added to CXXFLAGS, which CMake does not read.
(
  cd "$root"
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
  cmake -S "$root" -B "$root/build-debian" -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_INSTALL_PREFIX=/usr "${checks[@]}"
)
cmake --build "$root/build-debian" -j "$jobs"
ctest --test-dir "$root/build-debian" --output-on-failure -j "$jobs"

step "the same with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRI_SANITIZE=ON -DTAVRI_BENCH=OFF "${checks[@]}"
cmake --build "$root/build-sanitize" -j "$jobs"
# A finding ends the test with an error; leaks are findings too.
ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1" \
UBSAN_OPTIONS="print_stacktrace=1" \
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

step "fuzz targets (clang, libFuzzer) replay their seed corpus"
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTAVRI_FUZZ=ON -DTAVRI_CORE_ONLY=ON -DTAVRI_BUILD_TESTS=OFF \
  "${checks[@]}"
cmake --build "$root/build-fuzz" -j "$jobs"
UBSAN_OPTIONS="print_stacktrace=1" ctest --test-dir "$root/build-fuzz" --output-on-failure -j "$jobs"

step "browser build (emscripten): the core's tests under Node.js, the web folder in headless Chromium"
# As it is shipped: the smallest code.
cmake -S "$root" -B "$root/build-web" -G Ninja -UTAVRI_CORE_ONLY \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel "${checks[@]}"
cmake --build "$root/build-web" -j "$jobs"
ctest --test-dir "$root/build-web" --output-on-failure -j "$jobs"

step "Windows build (mingw-w64): the core, tavri.exe and its windows, tests under Wine"
# The toolchain file and nothing else decides what a Windows build holds
# (-U: a folder configured when the option was needed forgets it).
cmake -S "$root" -B "$root/build-windows" -G Ninja -UTAVRI_CORE_ONLY \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "${checks[@]}"
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
step ""
exit $status
