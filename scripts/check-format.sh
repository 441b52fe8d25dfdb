#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' |
  xargs -r clang-format --dry-run -Werror
echo "check-format: sources are formatted"
