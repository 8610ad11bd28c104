#!/usr/bin/env bash
# Installs what is missing, builds kivota when needed and runs it with the given arguments.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/install-deps.sh"
"$here/tools/build.sh" kivota
exec "$here/build/kivota" "$@"
