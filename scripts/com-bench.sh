#!/usr/bin/env bash
# Runs ondivar-com-bench as a simulator meets the component: Ondivar.dll registered (regsvr32) in the
# built tree's private prefix, created from its program identifier. Usage:
#   scripts/com-bench.sh [cycles [runs [breakdown | only-floor | only-vtable | only-invoke | only-model]]]
# runs alternates the architectures (ONDIVAR_ARCHS, default "win32 win64") run by run. The DLL is
# unregistered again afterwards: the tests expect a prefix without it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cycles=${1:-20000}
runs=${2:-1}
breakdown=${3:-}
archs=${ONDIVAR_ARCHS:-win32 win64}

loaderOf() { [ "$1" = win64 ] && echo /usr/lib/wine/wine64 || echo /usr/bin/wine; }
inPrefix() {
  local arch=$1
  shift
  "$root/cmake/wine-run.sh" "$root/build/$arch/wineprefix" "$(loaderOf "$arch")" "$@"
}

registered=()
unregister() {
  for arch in "${registered[@]}"; do
    inPrefix "$arch" regsvr32 /u /s "Z:$root/build/$arch/module/Ondivar.dll" || true
  done
}
trap unregister EXIT

for arch in $archs; do
  build=$root/build/$arch
  [ -f "$build/tools/ondivar-com-bench.exe" ] || { echo "build $arch first (scripts/build.sh)" >&2; exit 1; }
  "$root/cmake/wine-prefix.sh" start "$build/wineprefix" "$(loaderOf "$arch")" "$arch"
  inPrefix "$arch" "$build/tools/ondivar-regtlb.exe" register "Z:$build/module/capeopen/CAPE-OPENv1-1-0.tlb"
  inPrefix "$arch" regsvr32 /s "Z:$build/module/Ondivar.dll"
  registered+=("$arch")
done
for ((run = 1; run <= runs; ++run)); do
  for arch in $archs; do
    inPrefix "$arch" "$root/build/$arch/tools/ondivar-com-bench.exe" "$cycles" $breakdown
  done
done
