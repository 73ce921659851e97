#!/usr/bin/env bash
# Sets everything up, builds, checks the formatting and runs every test: the
# native unit tests (with sanitizers) and the Windows-side tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/check-format.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows
bash scripts/check-imports.sh build/windows/OstrelSetup.exe
ctest --preset windows -j2
