#!/usr/bin/env bash
# Configures build/ once (Release) and builds the given targets, or everything.
# Compiler output is kept in build/build.log and shown only when the build fails.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ ! -f build/CMakeCache.txt ]; then
    generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
if ! cmake --build build "${targets[@]}" >build/build.log 2>&1; then
    cat build/build.log >&2
    exit 1
fi
