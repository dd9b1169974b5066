#!/usr/bin/env bash
# Checks the shipped Windows programs' hardening: ASLR with high-entropy addresses and
# no-execute data in the headers, stack-protector checks in the code, no DLL but the system's
# (so none of the compiler's has to ship beside them), and an overrun caught at run time.
#   wine-run PREFIX --session hardening.sh OBJDUMP "SHIPPED.exe;..." "BUILT.exe;..." PROBE.exe
set -euo pipefail
objdump=$1
IFS=';' read -r -a shipped <<<"$2"
IFS=';' read -r -a built <<<"$3"
probe=$4
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|OLE32|OLEAUT32|UXTHEME|SHLWAPI|VERSION|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$'
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

for exe in "${shipped[@]}"; do
    headers=$("$objdump" -p "$exe")
    for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
        grep -qw "$flag" <<<"$headers" || fail "$exe: DllCharacteristics lack $flag"
    done
    while read -r dll; do
        grep -qiE "$system_dlls" <<<"$dll" || fail "$exe imports $dll, which Windows does not have"
    done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
    echo "$exe: $(grep DllCharacteristics <<<"$headers"), imports" \
        "$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
done
# Functions with arrays on the stack check the guard; a program may have none of them.
total=0
for exe in "${built[@]}"; do
    checks=$("$objdump" -d "$exe" | grep -c 'call.*<__stack_chk_fail>' || true)
    echo "$exe: $checks stack-protector checks"
    total=$((total + checks))
done
[ "$total" -gt 0 ] || fail "no function of the programs checks the stack protector's guard"

# A fortified memcpy past the buffer stops before it copies; a loop past the guard stops as the
# function returns. Both stop on the checks' trap: STATUS_ILLEGAL_INSTRUCTION, 0xC000001D, of
# which wine passes on 0x1D.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
long=$(printf '%040d' 0)
while read -r way text expected copied; do
    status=0
    "$TOLVI_WINE" "$probe" "$way" "$text" >"$output" 2>&1 || status=$?
    seen=$(grep -c '^copied' "$output" || true)
    [ "$status" -eq "$expected" ] && [ "$seen" -eq "$copied" ] ||
        fail "$way of ${#text} bytes into 8: status $status, copied $seen;" \
            "expected $expected, $copied: $(tr -d '\0' <"$output")"
done <<CASES
copy 1234567 0 1
loop 1234567 0 1
copy $long 29 0
loop $long 29 1
CASES
echo "overruns of the stack stopped at once"
exit $failed
