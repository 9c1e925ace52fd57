#!/bin/sh
# Runs a Windows program at build time under Wine, in the build tree's build-time prefix (never the
# tests' prefix, which a test fixture owns). The prefix is created on first use; runs are serialised;
# the Wine server is stopped after each run, so no Wine process outlives the build step or holds its
# output open. The program's output is passed on once it has ended.
# Usage: wine-build-run.sh PREFIX LOADER ARCH program.exe [args...]
set -eu
prefix=$1 loader=$2 arch=$3
shift 3
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH="$arch"
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$(dirname "$prefix")"

exec 9>"$prefix.lock"
flock 9
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if [ ! -f "$prefix/.ondivar-ready" ]; then
  rm -rf "$prefix"
  if ! "$loader" wineboot -i >"$log" 2>&1 </dev/null 9>&-; then
    cat "$log" >&2
    echo "wine-build-run.sh: cannot create the Wine prefix $prefix" >&2
    exit 1
  fi
  wineserver -w 9>&-
  touch "$prefix/.ondivar-ready"
fi
status=0
"$loader" "$@" >"$log" 2>&1 </dev/null 9>&- || status=$?
wineserver -k >/dev/null 2>&1 9>&- || true
cat "$log"
exit $status
