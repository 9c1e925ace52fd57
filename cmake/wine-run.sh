#!/bin/sh
# Runs a Windows program under Wine in the build tree's private prefix and returns its exit code.
# Usage: wine-run.sh PREFIX LOADER program.exe [args...]
prefix=$1 loader=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
exec "$loader" "$@"
