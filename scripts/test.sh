#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: under AddressSanitizer and
# UndefinedBehaviorSanitizer with warnings as errors, then the threaded tests under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
# Paths relative to the checkout in ccache's keys, so that another clone reuses the objects.
export CCACHE_BASEDIR="$PWD"
# Formatting is part of the build's hygiene: a file the formatter would change fails the run.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
else
  find core tools tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run --Werror
fi
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs" --target qb_model_tests qb_search_threaded_tests
ctest --preset tsan -j "$jobs" -L threaded
