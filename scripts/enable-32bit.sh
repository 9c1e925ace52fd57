#!/usr/bin/env bash
# Makes 32-bit Windows programs (the 32-bit Wine loader) runnable on this machine, idempotently, and
# prints one line saying how they run. Called by install-deps.sh once the Wine packages are installed.
#
# Where the kernel runs 32-bit programs, nothing changes. Where it cannot (a CPU or kernel without
# 32-bit mode: every i386 program fails with "Exec format error"), the loader is run by qemu-user's CPU
# emulation through a binfmt_misc entry: qemu-user from bookworm-backports (Debian 12's own 7.2 spends
# minutes reserving address space for each Wine process), and the entry registered by hand, again
# whenever it is missing, since it does not survive a reboot.
#
# Exits non-zero, after one line naming the cause and the remedy, where neither way works.
set -euo pipefail

loader=/usr/lib/wine/wine
binfmt=/proc/sys/fs/binfmt_misc
entry=qemu-i386
emulator=/usr/bin/qemu-i386
backports_list=/etc/apt/sources.list.d/ondivar-bookworm-backports.sources
minimum_qemu=1:10
# The i386 ELF executables and shared objects (header bytes 0-19, the class, data and type fields).
elf_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
elf_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

say() { echo "enable-32bit: $*" >&2; }
fail() {
  say "$*"
  exit 1
}
loader_runs() { "$loader" --version >/dev/null 2>&1; }
entry_enabled() { [ -f "$binfmt/$entry" ] && head -n 1 "$binfmt/$entry" | grep -qx enabled; }
qemu_version() { dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || true; }
# The URIs: and Signed-By: lines of the deb822 stanza in file $1 whose suites include bookworm itself.
bookworm_source_fields() {
  awk 'BEGIN { RS = "" }
       /(^|\n)Suites:([ \t]+[^ \t\n]+)*[ \t]+bookworm([ \t\n]|$)/ && /(^|\n)Types:([ \t]+[^ \t\n]+)*[ \t]+deb([ \t\n]|$)/ {
         n = split($0, line, "\n")
         for (i = 1; i <= n; i++) if (line[i] ~ /^(URIs|Signed-By):/) print line[i]
         exit
       }' "$1"
}
# The same, as deb822 lines, from one-line sources ("deb [options] URI bookworm components") in file $1.
bookworm_list_fields() {
  awk '$1 == "deb" {
         i = 2; keyring = ""
         if ($i ~ /^\[/) {
           for (; i <= NF; i++) {
             option = $i; sub(/^\[/, "", option); sub(/\]$/, "", option)
             if (option ~ /^signed-by=/) { keyring = option; sub(/^signed-by=/, "", keyring) }
             if ($i ~ /\]$/) break
           }
           i++
         }
         if ($(i + 1) == "bookworm") {
           print "URIs: " $i
           if (keyring != "") print "Signed-By: " keyring
           exit
         }
       }' "$1"
}

# Sourced (by its test): the functions only.
if [ "${BASH_SOURCE[0]}" != "$0" ]; then return 0; fi

[ -e "$loader" ] || fail "$loader is missing: install the wine32:i386 package first (scripts/install-deps.sh)"

if loader_runs; then
  if entry_enabled; then
    say "32-bit programs run under qemu-user CPU emulation ($(qemu_version)) through binfmt_misc (slower than native)"
  else
    say "32-bit programs run natively on this machine"
  fi
  exit 0
fi

cannot="this kernel cannot run 32-bit programs (the 32-bit Wine loader fails)"
[ "$(id -u)" -eq 0 ] ||
  fail "$cannot: run this command once as root, so that it can set up their emulation (qemu-user through binfmt_misc)"

# The binfmt_misc file system: mounted where systemd has not done it.
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt" >/dev/null 2>&1 ||
    fail "$cannot and binfmt_misc cannot be mounted at $binfmt: give this container access to binfmt_misc, or run on the host"
fi

# qemu-user 10 from bookworm-backports.
installed=$(qemu_version)
if [ -z "$installed" ] || ! dpkg --compare-versions "$installed" ge "$minimum_qemu" || [ ! -x "$emulator" ]; then
  if ! grep -rqs '^[^#]*bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    # The backports suite from the same mirror and keyring as the machine's own Debian 12 source.
    fields=""
    for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] && [ "$f" != "$backports_list" ] || continue
      case $f in
        *.sources) fields=$(bookworm_source_fields "$f") ;;
        *) fields=$(bookworm_list_fields "$f") ;;
      esac
      [ -n "$fields" ] && break
    done
    [ -n "$fields" ] ||
      fail "$cannot and apt has no Debian 12 (bookworm) source to add bookworm-backports from: add one, or install qemu-user 10 or later by hand"
    printf 'Types: deb\nSuites: bookworm-backports\nComponents: main\n%s\n' "$fields" >"$backports_list"
    say "added bookworm-backports ($backports_list) for qemu-user"
  fi
  say "installing qemu-user from bookworm-backports to run 32-bit programs"
  export DEBIAN_FRONTEND=noninteractive
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  apt-get update -qq >"$log" 2>&1 || true
  if ! apt-get install -y -qq -t bookworm-backports --no-install-recommends qemu-user >>"$log" 2>&1; then
    fail "$cannot and qemu-user could not be installed from bookworm-backports ($(grep '^E:' "$log" | tail -n 1)): check apt's sources and network, or install qemu-user 10 or later by hand"
  fi
  installed=$(qemu_version)
  dpkg --compare-versions "$installed" ge "$minimum_qemu" ||
    fail "$cannot and apt installed qemu-user $installed, older than 10 (too slow for Wine): install qemu-user 10 or later from bookworm-backports"
fi

# The binfmt entry: replaced when present but not working (disabled, or a stale interpreter).
if ! entry_enabled || ! loader_runs; then
  [ -f "$binfmt/$entry" ] && echo -1 >"$binfmt/$entry"
  printf '%s' ":$entry:M::$elf_magic:$elf_mask:$emulator:F" >"$binfmt/register" 2>/dev/null ||
    fail "$cannot and $emulator cannot be registered in $binfmt/register: check that binfmt_misc is writable here"
fi

loader_runs ||
  fail "$cannot, not even under $emulator ($("$loader" --version 2>&1 | head -n 1)): check the binfmt_misc entry $binfmt/$entry"
say "32-bit programs run under qemu-user CPU emulation ($installed) through binfmt_misc (slower than native)"
