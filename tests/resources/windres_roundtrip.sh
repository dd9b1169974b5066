#!/usr/bin/env bash
# Compiles the generated Windows version record with the Windows resource compiler and reads
# the compiled resource back, to show that a Windows build carries the fields.
set -euo pipefail
rc=$1
windres=$(command -v x86_64-w64-mingw32-windres || true)
if [ -z "$windres" ]; then
    echo "x86_64-w64-mingw32-windres is not installed"
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$windres" --input "$rc" --output "$work/version.res" --output-format res
"$windres" --input "$work/version.res" --input-format res --output "$work/back.rc"
for expected in 'FILEVERSION 1, 0, 0, 10' 'PRODUCTVERSION 1, 0, 0, 10' 'BLOCK "040904b0"' \
    'VALUE "ProductName", "Tolvi VAT Calculator"' 'VALUE "CompanyName", "Tolvi Software"' \
    'VALUE "FileVersion", "1.00.0010"' 'VALUE "ProductVersion", "1.00.0010"' \
    'VALUE "InternalName", "VAT"' 'VALUE "OriginalFilename", "VAT.exe"' \
    'VALUE "Translation", 0x409, 1200'; do
    if ! grep -qiF "$expected" "$work/back.rc"; then
        echo "the compiled record lacks: $expected"
        cat "$work/back.rc"
        exit 1
    fi
done
echo "the compiled version record carries every field"
