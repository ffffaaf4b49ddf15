# SPDX-License-Identifier: MIT
# Sourced by the scripts that run Wine. Wine names files in the character set of the Unix locale,
# so under the POSIX locale of a bare container or chroot (LANG unset) it cannot create the
# installer's Start-menu shortcut 三针测量.lnk. Where the locale's character set is not UTF-8,
# C.UTF-8, which every Debian system has, takes its place; a UTF-8 locale is left as it is.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  echo "The locale's character set is $(locale charmap 2>/dev/null || echo unknown), not UTF-8:" \
    "running under C.UTF-8." >&2
  export LC_ALL=C.UTF-8
fi
