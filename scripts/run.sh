#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and opens the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-app.sh
exec build-run/ui/qt/threewire "$@"
