#!/usr/bin/env bash
# Where one cycle of ondivar-com-bench spends its time, on the 64-bit tree: perf samples the running
# program on the CPU clock (no hardware counters needed), and scripts/pe-samples.py puts each sample on
# the function of the Windows module it falls in. Needs perf (Debian's linux-perf) and python3.
# Usage: scripts/com-profile.sh [vtable | invoke | floor | model] [cycles] [rows]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cycle=${1:-vtable}
cycles=${2:-1000000}
rows=${3:-40}
build=$root/build/win64
prefix=$build/wineprefix
loader=/usr/lib/wine/wine64
[ -f "$build/tools/ondivar-com-bench.exe" ] || { echo "build win64 first (scripts/build.sh)" >&2; exit 1; }
command -v perf >/dev/null || { echo "perf is needed (apt-get install linux-perf)" >&2; exit 1; }
run() { "$root/cmake/wine-run.sh" "$prefix" "$loader" "$@"; }

"$root/cmake/wine-prefix.sh" start "$prefix" "$loader" win64
run "$build/tools/ondivar-regtlb.exe" register "Z:$build/module/capeopen/CAPE-OPENv1-1-0.tlb"
run regsvr32 /s "Z:$build/module/Ondivar.dll"
trap 'run regsvr32 /u /s "Z:$build/module/Ondivar.dll" || true' EXIT
samples=$(mktemp --suffix=.perf)
perf record -q -F 4000 -o "$samples" -- "$root/cmake/wine-run.sh" "$prefix" "$loader" \
  "$build/tools/ondivar-com-bench.exe" "$cycles" "only-$cycle"
python3 "$root/scripts/pe-samples.py" "$samples" "$rows" \
  "$build/module/Ondivar.dll" "$build/tools/ondivar-com-bench.exe"
rm -f "$samples"
