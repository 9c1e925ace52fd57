#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, then makes 32-bit Windows programs
# runnable (enable-32bit.sh: natively, or under CPU emulation where the kernel cannot run them).
# Idempotent: changes nothing when all is in place. Exits non-zero, after one line saying why, when the
# machine cannot be made ready.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools wine wine32:i386 wine64 libwine-dev
          cmake ninja-build googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "install-deps: installing ${missing[*]}" >&2
  if [ "$(id -u)" -ne 0 ]; then echo "install-deps: run as root to install ${missing[*]}" >&2; exit 1; fi
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
exec "$here/enable-32bit.sh"
