#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing tavri
# need, when they are missing. Safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev                     # Qt 6 Widgets and QtTest
  libgtest-dev googletest
  fonts-ipafont-gothic             # the Japanese Gothic that stands in for ＭＳ Ｐゴシック
  g++-mingw-w64-x86-64 wine64      # the core built for Windows, its tests run under Wine
  xvfb xauth dbus                  # looking at the real window without a display
  clang libclang-rt-14-dev         # libFuzzer targets (clang's runtime holds libFuzzer)
  emscripten nodejs                # the core built for the browser, its tests run under Node.js
  python3-fonttools python3-brotli # the web font: IPAPGothic cut down, stored as WOFF2
  chromium chromium-driver python3-selenium  # the web folder tested in headless Chromium
  locales                          # a locale with a decimal comma for the conversions test
  xdotool x11-utils libxdamage-dev # the benchmark watches the window's first frame under Xvfb
  librsvg2-bin icoutils            # the application icon rendered to PNG and .ico
  desktop-file-utils appstream     # validators of the desktop entry and the AppStream data
  dpkg-dev                         # dpkg-shlibdeps, which CPack uses for the package's dependencies
)
if [ "${TAVRI_SETUP_EXTRA:-}" != "" ]; then
  read -r -a extra <<<"$TAVRI_SETUP_EXTRA"
  packages+=("${extra[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
