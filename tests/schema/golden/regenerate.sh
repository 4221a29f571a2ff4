#!/bin/sh
# Writes the expected part of every golden file anew from the current build.
# Usage: tests/schema/golden/regenerate.sh [build directory]
set -e
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target schema_tests
QW_REGENERATE_GOLDEN=1 "$build/tests/schema_tests" --gtest_filter='Files/Golden.*'
git -C "$root" diff --stat -- tests/schema/golden
