#!/bin/sh
# The release bundle as a user receives it: made by CPack, unpacked into a folder of its own, checked for
# its files and for imports of system DLLs only; the DLL is registered from there with regsvr32, the
# bundled client runs the bundled example profile, and after removal the client no longer finds the
# component.
# Usage: check-bundle.sh CMAKE CPACK BUILD_DIR PACKAGE_NAME WORK_DIR OBJDUMP WINE_RUN PREFIX LOADER
set -u
cmake=$1 cpack=$2 build=$3 package=$4 work=$5 objdump=$6 wine_run=$7 prefix=$8 loader=$9

fail() {
    echo "bundle: $*" >&2
    exit 1
}
wine() { "$wine_run" "$prefix" "$loader" "$@"; }
# The Windows name of a path in the build tree.
windows() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "$work" && mkdir -p "$work" || fail "cannot make $work"
(cd "$build" && "$cpack" -G ZIP -B "$work/cpack" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
zip="$work/cpack/$package.zip"
[ -f "$zip" ] || fail "no $package.zip"
(cd "$work" && "$cmake" -E tar xf "$zip") || fail "cannot unpack $zip"
root="$work/$package"
for file in Ondivar.dll ondivar-flow.exe INSTALL.txt scripting.md examples/riser-profile.csv; do
    [ -s "$root/$file" ] || fail "$file missing from the bundle"
done
# The notes are read with Windows tools: every line ends with CR LF.
for note in INSTALL.txt scripting.md; do
    [ "$(grep -c "$(printf '\r')\$" "$root/$note")" -eq "$(wc -l <"$root/$note")" ] ||
        fail "$note has lines without Windows line endings"
done

# A bundle that needs the compiler's runtime DLLs would not load on a clean machine.
for binary in Ondivar.dll ondivar-flow.exe; do
    imports=$("$objdump" -p "$root/$binary" | sed -n 's/^[[:space:]]*DLL Name: //p')
    [ -n "$imports" ] || fail "no imports read from $binary"
    for dll in $imports; do
        case $(echo "$dll" | tr '[:upper:]' '[:lower:]') in
        kernel32.dll | user32.dll | advapi32.dll | ole32.dll | oleaut32.dll | rpcrt4.dll | msvcrt.dll | shell32.dll) ;;
        *) fail "$binary imports $dll, which a clean Windows machine does not have" ;;
        esac
    done
done

dll=$(windows "$root/Ondivar.dll")
wine regsvr32.exe /s "$dll" || fail "regsvr32 failed"
(cd "$root" && wine ondivar-flow.exe --batch 'examples\riser-profile.csv' --out "$(windows "$work/profile.csv")") \
    >"$work/client.out" 2>"$work/client.err"
status=$?
wine regsvr32.exe /s /u "$dll" || fail "regsvr32 /u failed"
cat "$work/client.out" "$work/client.err"
[ $status -eq 0 ] || fail "the bundled client exited with $status"
grep -q "20 of 20 segments computed" "$work/client.err" || fail "not every segment was computed"
# The riser loses about 11.58 MPa from the well to the separator.
awk -F, 'NR == 1 { for (i = 1; i <= NF; ++i) if ($i == "dp_cumulative[Pa]") column = i }
          NR > 1 { last = $column } END { exit !(column && last < -11.5e6 && last > -11.7e6) }' "$work/profile.csv" ||
    fail "unexpected pressure change along the profile: $(tail -1 "$work/profile.csv")"

# Without registration the client cannot create the component: its own failure status 1.
(cd "$root" && wine ondivar-flow.exe) >/dev/null 2>"$work/unregistered.err"
status=$?
[ $status -eq 1 ] && grep -q "CLSIDFromProgID failed" "$work/unregistered.err" ||
    fail "the client ran with status $status after removal: $(cat "$work/unregistered.err")"
echo "bundle: $package checked"
