#!/bin/sh
# Writes the expected part of every help file anew from the current build.
# Usage: tests/cli/help/regenerate.sh [build directory]
set -e
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target cli_tests
QW_REGENERATE_GOLDEN=1 "$build/tests/cli/cli_tests" --gtest_filter='Files/Help.*'
git -C "$root" diff --stat -- tests/cli/help
