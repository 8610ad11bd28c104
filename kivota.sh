#!/usr/bin/env bash
# Installs what is missing, builds kivota when needed and runs it with the given arguments.
# Without arguments it converts the bundled sample, examples/sample.dng, into out/.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/install-deps.sh"
"$here/tools/build.sh" kivota
if [ $# -eq 0 ]; then
    mkdir -p "$here/out"
    set -- -i "$here/examples/sample.dng" -o "$here/out"
fi
exec "$here/build/kivota" "$@"
