#!/usr/bin/env bash
# Which apt source the 32-bit set-up takes bookworm-backports from: the stanza or line of Debian 12
# itself, with its mirror and keyring, never one of its companion suites (security, updates) or another
# release. Usage: enable-32bit-test.sh path/to/enable-32bit.sh
set -uo pipefail
# shellcheck source=../../scripts/enable-32bit.sh
source "$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
passed=0 failed=0

expect() { # name, actual, expected
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s\n  expected: %s\n  actual:   %s\n' "$1" "${3//$'\n'/ | }" "${2//$'\n'/ | }"
  fi
}

cat >"$dir/security-first.sources" <<'SRC'
Types: deb
URIs: http://security.example/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/security.gpg

# the release itself
Types: deb deb-src
URIs: http://mirror.example/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
expect "deb822: the release's own stanza, past its security stanza" \
  "$(bookworm_source_fields "$dir/security-first.sources")" \
  $'URIs: http://mirror.example/debian\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg'

cat >"$dir/others.sources" <<'SRC'
Types: deb-src
URIs: http://sources.example/debian
Suites: bookworm
Components: main

Types: deb
URIs: http://next.example/debian
Suites: trixie bookworm-updates
Components: main
SRC
expect "deb822: source packages only, or other suites" "$(bookworm_source_fields "$dir/others.sources")" ""

cat >"$dir/updates-first.sources" <<'SRC'
Types: deb
URIs: http://mirror.example/debian
Suites: bookworm-updates bookworm
Components: main
SRC
expect "deb822: bookworm listed after another suite, no keyring" \
  "$(bookworm_source_fields "$dir/updates-first.sources")" "URIs: http://mirror.example/debian"

cat >"$dir/one-line.list" <<'SRC'
# deb http://commented.example/debian bookworm main
deb-src http://sources.example/debian bookworm main
deb [ arch=amd64 signed-by=/etc/apt/keyrings/security.gpg ] http://security.example/debian-security bookworm-security main
deb [arch=amd64 signed-by=/etc/apt/keyrings/debian.gpg] http://mirror.example/debian bookworm main
SRC
expect "one-line: options with a keyring, past comments, sources and security" \
  "$(bookworm_list_fields "$dir/one-line.list")" \
  $'URIs: http://mirror.example/debian\nSigned-By: /etc/apt/keyrings/debian.gpg'

printf 'deb http://mirror.example/debian bookworm main\n' >"$dir/plain.list"
expect "one-line: no options" "$(bookworm_list_fields "$dir/plain.list")" "URIs: http://mirror.example/debian"

printf 'deb http://mirror.example/debian trixie main\n' >"$dir/trixie.list"
expect "one-line: another release" "$(bookworm_list_fields "$dir/trixie.list")" ""

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
