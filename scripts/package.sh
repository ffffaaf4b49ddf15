#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package build-pkg/threewire_<version>_<arch>.deb and prints its path.
# With --install, also installs it through apt-get, which brings in what it depends on.
# Usage: scripts/package.sh [--install]
set -euo pipefail
cd "$(dirname "$0")/.."

install=false
case "${1:-}" in
  "") ;;
  --install) install=true ;;
  *) echo "usage: $0 [--install]" >&2; exit 2 ;;
esac

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

scripts/install-deps.sh run
# cpack needs dpkg-shlibdeps (dpkg-dev) and file to work out the library dependencies;
# lintian checks the result.
missing=()
for package in dpkg-dev file lintian; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

# Debian's own compiler and linker flags for packages: hardening (stack protector, fortified
# functions, read-only relocations, immediate binding) and build paths left out of the binary.
# Given on every configure, since an existing cache would otherwise keep the old ones.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DTHREEWIRE_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build build-pkg -j "$(nproc)"

rm -f build-pkg/threewire_*.deb
(cd build-pkg && cpack -G DEB)
debs=(build-pkg/threewire_*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "$0: expected one threewire_*.deb in build-pkg, found: ${debs[*]}" >&2
  exit 1
fi
deb=$(realpath "${debs[0]}")

# Any remark, pedantic and informational ones too, stops here, before the package is installed
# anywhere.
lintian_out=$(lintian --display-info --pedantic "$deb" 2>&1 | grep -v 'running with root privileges' || true)
if [ -n "$lintian_out" ]; then
  echo "$lintian_out" >&2
  echo "$0: lintian has remarks on $deb" >&2
  exit 1
fi

if $install; then
  # A path (not a bare name) makes apt-get install the file and resolve its Depends.
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "$deb"
fi
echo "$deb"
