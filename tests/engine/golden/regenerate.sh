#!/bin/sh
# Writes the expected parts of every engine golden file anew from the current
# build. A new golden file needs only its input and the three separator lines.
# Usage: tests/engine/golden/regenerate.sh [build directory]
set -e
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target engine_tests
QW_REGENERATE_GOLDEN=1 "$build/tests/engine_tests" --gtest_filter='Files/GoldenUnit.*'
git -C "$root" diff --stat -- tests/engine/golden
