#!/usr/bin/env bash
# Installs what is missing, then configures (once) and builds the 32-bit and the 64-bit trees in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
for arch in ${ONDIVAR_ARCHS:-win32 win64}; do
  case $arch in
    win32) triple=i686-w64-mingw32 ;;
    win64) triple=x86_64-w64-mingw32 ;;
    *) echo "unknown architecture $arch" >&2; exit 2 ;;
  esac
  dir=$root/build/$arch
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" >/dev/null
  fi
  cmake --build "$dir"
done
# One CTest run over both trees, with one summary.
{
  echo "# Runs the tests of every architecture tree."
  for arch in ${ONDIVAR_ARCHS:-win32 win64}; do echo "subdirs(\"$arch\")"; done
} > "$root/build/CTestTestfile.cmake"
