#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building and running threewire need, when they are missing.
# Usage: scripts/install-deps.sh run|test|windows|web|web-test (windows: cross-building for Windows
# and testing under Wine; web: building the web page; web-test: testing it and the WebAssembly core
# in Node.js and in Chromium, Firefox ESR and WebKitGTK; test includes them all)
set -euo pipefail

run_packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n fonts-arphic-uming)
test_packages=(xdotool libgtest-dev libbenchmark-dev xvfb xauth x11-utils locales clang-16 libclang-rt-16-dev
               poppler-utils desktop-file-utils appstream file dpkg-dev lintian)
# The Windows program is 32-bit: its tests run under 32-bit Wine (wine32, of Debian's i386
# architecture), the installer's round trip under 64-bit Wine as well.
windows_packages=(cmake ninja-build g++-mingw-w64-i686-win32 googletest nsis wine32:i386 wine64 fonts-wine
                  xvfb xauth fonts-arphic-uming xdotool)
web_packages=(cmake ninja-build clang-16 llvm-16 lld-16 wasi-libc libc++-16-dev-wasm32 libc++abi-16-dev-wasm32
              libclang-rt-16-dev-wasm32 libfast-float-dev)
# The page's tests drive Chromium and Firefox ESR through puppeteer-core (npm) and WebKitGTK through
# WebKitWebDriver under Xvfb; its screenshots cut WebKit's with ImageMagick; the benchmarks drive
# Chromium through Selenium.
web_test_packages=(googletest nodejs chromium firefox-esr webkit2gtk-driver xvfb xauth poppler-utils
                   fonts-noto-cjk imagemagick chromium-driver python3-selenium)
# Debian's npm is a package of its own; Node.js from elsewhere brings its npm along.
command -v npm >/dev/null || web_test_packages+=(npm)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}"
              "${web_test_packages[@]}") ;;
  windows) wanted=("${windows_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  web-test) wanted=("${web_packages[@]}" "${web_test_packages[@]}") ;;
  *) echo "usage: $0 run|test|windows|web|web-test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  # A fresh amd64 system knows no i386 packages until the architecture is added.
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

# The core tests run once more under a locale with a decimal comma.
if [ "$1" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
