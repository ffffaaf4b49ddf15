#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the README's pictures of the web page (scripts/screenshot-web.mjs says which): in Chromium,
# Firefox ESR and WebKitGTK, the last under Xvfb.
# Usage: scripts/screenshot-web.sh [folder]   (docs when left out)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web-test
npm ci --no-audit --no-fund --loglevel=error
scripts/package-web.sh >/dev/null
xvfb-run -a node scripts/screenshot-web.mjs dist/threewire.html dist/web "${1:-docs}"
