#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite, then builds the
# engine tests once more with AddressSanitizer and UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/install-deps.sh"
"$here/tools/build.sh"
(cd "$here/build" && ctest --output-on-failure -j"$(nproc)")

sanitized="$here/build-sanitize"
if [ ! -f "$sanitized/CMakeCache.txt" ]; then
    generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    cmake -S "$here" -B "$sanitized" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVOTA_SANITIZE=ON >/dev/null
fi
if ! cmake --build "$sanitized" --target kivota_engine_tests >"$sanitized/build.log" 2>&1; then
    cat "$sanitized/build.log" >&2
    exit 1
fi
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$here/tests/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
    "$sanitized/tests/kivota_engine_tests" --gtest_brief=1
