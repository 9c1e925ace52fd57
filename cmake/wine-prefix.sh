#!/bin/sh
# Prepares or stops the build tree's private Wine prefix.
#   wine-prefix.sh start PREFIX LOADER ARCH   create once (headless, no crash dialog), start the server
#                                             and the services
#   wine-prefix.sh stop PREFIX LOADER ARCH    stop the prefix's server
set -eu
action=$1 prefix=$2 loader=$3 arch=$4
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH="$arch"
unset DISPLAY WAYLAND_DISPLAY
case "$action" in
start)
  if [ ! -f "$prefix/.ondivar-ready" ]; then
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    "$loader" wineboot -i >/dev/null 2>&1
    # No graphics: message boxes are created invisibly and can be dismissed by a test's hook.
    "$loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # A crash prints a backtrace and exits instead of waiting on a dialog.
    "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    touch "$prefix/.ondivar-ready"
  fi
  # A persistent server, and the services started with their output away from CTest's pipes.
  wineserver -p30 >/dev/null 2>&1 </dev/null || true
  "$loader" cmd /c exit >/dev/null 2>&1 </dev/null || true
  ;;
stop)
  wineserver -k >/dev/null 2>&1 || true
  ;;
esac
