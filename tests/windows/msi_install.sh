#!/usr/bin/env bash
# Installs the MSI silently for the whole machine (msiexec /i /qn) in a wine prefix of this
# test's own: the programs are in Program Files\Tolvi VAT Calculator, the Start menu has the
# window's entry, Add/Remove Programs lists the product with its icon, and the installed
# command line gives the right answer for a row. Uninstalling it (msiexec /x /qn) then leaves
# no file, folder, shortcut or uninstall entry behind: drive C: holds what it held before.
#   msi_install.sh MSI ICON WINDOW(0|1) WINE_RUN PREFIX
set -euo pipefail
msi=$1 built_icon=$2 window=$3 wine_run=$4 template=$5
here=$(cd "$(dirname "$0")" && pwd)
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

# The test's prefix: the build's own, made first if need be, linked file by file (wine replaces
# a file it changes, never writes into it), its registry copied.
[ -f "$template/.tolvi-ready" ] || "$wine_run" "$template" cmd /c exit 0
work=$(mktemp -d "$(dirname "$template")/msi-test.XXXXXX")
export LC_ALL=C.UTF-8 WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
flock "$template.lock" cp -al "$template" "$WINEPREFIX"
for registry in "$WINEPREFIX"/*.reg; do
    cp --remove-destination "$template/$(basename "$registry")" "$registry"
done
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/Tolvi VAT Calculator"
# The Start menu for every user; wine's installer puts a per-machine entry in the installing
# user's Start menu instead.
start_menus=("$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
             "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs)
shortcuts() {
    local menu
    for menu in "${start_menus[@]}"; do
        [ ! -e "$menu/Tolvi VAT Calculator.lnk" ] || echo "$menu/Tolvi VAT Calculator.lnk"
    done
}
# The installed products: Add/Remove Programs' entries, and Windows Installer's own record of
# each, which holds the icon Add/Remove Programs shows.
registry() {
    "$wine" reg query "$1" /s 2>/dev/null | tr -d '\r' | grep -iE "$2" || true
}
entries() {
    registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 'DisplayName.*Tolvi'
}
product_icons() {
    registry 'HKLM\Software\Classes\Installer\Products' 'ProductIcon.*TolviVat'
}
# What drive C: holds, but for wine's scratch files. Windows\Installer, where the installer
# keeps what it needs for uninstalling, is Windows' own folder and stays.
listing() {
    (cd "$drive_c" && find . -path ./users/*/Temp -prune -o -path ./windows/temp -prune \
        -o -path ./windows/Installer -o -print | LC_ALL=C sort)
}

listing >"$work/before"
msi_path="Z:$(tr / '\\' <<<"$msi")"
"$wine" msiexec /i "$msi_path" /qn || fail "msiexec /i exited with $?"

[ -f "$folder/tolvi-vat-cli.exe" ] || fail "no tolvi-vat-cli.exe in Program Files"
if [ "$window" = 1 ]; then
    [ -f "$folder/tolvi-vat.exe" ] || fail "no tolvi-vat.exe in Program Files"
    shortcut=$(shortcuts)
    if [ -n "$shortcut" ]; then
        { strings -a -el "$shortcut" && strings -a "$shortcut"; } |
            grep -qiF 'Program Files\Tolvi VAT Calculator\tolvi-vat.exe' ||
            fail "the Start-menu entry does not open the installed tolvi-vat.exe"
    else
        fail "no Start-menu entry \"Tolvi VAT Calculator\""
    fi
fi
[ -n "$(entries)" ] || fail "Add/Remove Programs does not list it"
icon=$(product_icons | sed -n 's/.*REG_SZ\s*//p')
icon_file="$drive_c/$(tr '\\' / <<<"${icon#C:\\}")"
[ -n "$icon" ] && cmp -s "$icon_file" "$built_icon" ||
    fail "Add/Remove Programs shows not the program's icon (\"$icon\")"

# The installed command line, on the first of the worked recalculations.
answer=$(printf 'exclusive\t105\t17.5\n' |
    "$wine" "C:\\Program Files\\Tolvi VAT Calculator\\tolvi-vat-cli.exe" --batch | od -An -c)
expected=$(printf '18.375\t18.38\t123.38\t105.00\t105\t\n' | od -An -c)
[ "$answer" = "$expected" ] || fail "the installed command line answered $answer"

"$wine" msiexec /x "$msi_path" /qn || fail "msiexec /x exited with $?"
[ ! -e "$folder" ] || fail "Program Files\\Tolvi VAT Calculator is still there"
[ -z "$(shortcuts)" ] || fail "the Start-menu entry is still there"
[ -z "$(entries)$(product_icons)" ] || fail "Add/Remove Programs still lists it"
listing >"$work/after"
diff "$work/before" "$work/after" || fail "drive C: is not as it was before the installation"

# A folder of the user's choosing (in one of the user's, which stays): Add/Remove Programs
# shows it, and a repair (msiexec /fa's, which wine's does not take) and uninstalling find it.
mkdir "$drive_c/Plain Spaces" && listing >"$work/before"
chosen='C:\Plain Spaces\Tölvi Ä\' in_chosen="$drive_c/Plain Spaces/Tölvi Ä/tolvi-vat-cli.exe"
"$wine" msiexec /i "$msi_path" "INSTALLDIR=$chosen" /qn && rm "$in_chosen" &&
    "$wine" msiexec /i "$msi_path" REINSTALL=ALL REINSTALLMODE=amus /qn || fail "installing failed"
[ -f "$in_chosen" ] && [ ! -e "$folder" ] || fail "the repair did not go to $chosen alone"
"$wine" reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 'C:\u.reg' /y
iconv -f UTF-16 "$drive_c/u.reg" | grep -qF "\"InstallLocation\"=\"${chosen//\\/\\\\}\"" ||
    fail "InstallLocation is not $chosen"
rm "$drive_c/u.reg" && "$wine" msiexec /x "$msi_path" /qn || fail "msiexec /x exited with $?"
listing >"$work/after"
diff "$work/before" "$work/after" || fail "drive C: is not as it was before installing in $chosen"
[ $failed = 1 ] || echo "installed, ran and uninstalled without a trace"
exit $failed
