#!/usr/bin/env bash
# The main job: installs what is missing, builds the 32-bit Ondivar.dll and the ondivar-flow client,
# registers the DLL (and the stand-in CAPE-OPEN 1.1 type library it refers to) in a private headless
# Wine prefix, build/demo-prefix, and runs ondivar-flow there: it creates the component through COM as a
# simulator does and prints the flow it computes. Arguments are passed on to ondivar-flow (--help lists
# them; --batch PROFILE.csv computes a whole pipeline profile). Idempotent: run it again at will.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win32
prefix=$root/build/demo-prefix
loader=/usr/bin/wine
log=$root/build/demo-build.log

"$root/scripts/install-deps.sh"

mkdir -p "$root/build"
echo "run-demo: building the 32-bit DLL and client in build/win32 (log: build/demo-build.log)" >&2
if ! {
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"
  fi
  cmake --build "$build" --target Ondivar ondivar-flow ondivar-regtlb capeopen_standin_tlb
} >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "run-demo: the build failed; see build/demo-build.log" >&2
  exit 1
fi

# The demo's own prefix (the test prefixes belong to CTest): headless, no crash dialog.
echo "run-demo: registering Ondivar.dll in build/demo-prefix" >&2
"$root/cmake/wine-prefix.sh" start "$prefix" "$loader" win32
run() { "$root/cmake/wine-run.sh" "$prefix" "$loader" "$@"; }
if ! run "$build/tools/ondivar-regtlb.exe" register "Z:$build/module/capeopen/CAPE-OPENv1-1-0.tlb"; then
  echo "run-demo: cannot register the CAPE-OPEN 1.1 type library" >&2
  exit 1
fi
if ! run regsvr32 /s "Z:$build/module/Ondivar.dll"; then
  echo "run-demo: regsvr32 could not register build/win32/module/Ondivar.dll" >&2
  exit 1
fi

echo >&2
status=0
run "$build/tools/ondivar-flow.exe" "$@" || status=$?
exit $status
