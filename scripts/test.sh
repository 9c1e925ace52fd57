#!/usr/bin/env bash
# Builds both architectures and runs every test under Wine; ends with CTest's summary and fails on any
# failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cd "$root/build"
exec ctest --output-on-failure -j2 "$@"
