#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/install-deps.sh"
"$here/tools/build.sh"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)"
