#!/usr/bin/env bash
# Checks the zip that package-windows.sh made, as an operator's Windows will
# read it: exactly qostrel.exe, LICENSE.txt and 使用说明.txt, the Chinese name
# in UTF-8 with the zip's UTF-8 flag (general purpose bit 11; without it
# Windows shows 浣跨敤璇存槑.txt), an exe of at most 2 MB that imports only DLLs
# every Windows 7 to 11 has, and the checksums beside the zip.
set -euo pipefail
zip=$(realpath "$1")
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh unzip binutils-mingw-w64-x86-64 >&2
fail() {
    echo "check-windows-zip: $*" >&2
    exit 1
}
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

# The central directory, read byte by byte: each entry's flags and name.
end=$(LC_ALL=C grep -obUaP 'PK\x05\x06' "$zip" | tail -n 1 | cut -d: -f1)
[[ -n "$end" ]] || fail "no end of central directory"
count=$(u16 "$zip" $((end + 10)))
at=$(u32 "$zip" $((end + 16)))
names=()
for ((i = 0; i < count; i++)); do
    [[ $(u32 "$zip" "$at") == 33639248 ]] || fail "entry $i is no central directory header" # PK\1\2
    flags=$(u16 "$zip" $((at + 8)))
    length=$(u16 "$zip" $((at + 28)))
    name=$(dd if="$zip" bs=1 skip=$((at + 46)) count="$length" status=none)
    if [[ $name == *[![:ascii:]]* ]] && ((!(flags & 0x800))); then
        fail "$name is stored without the UTF-8 flag"
    fi
    names+=("$name")
    at=$((at + 46 + length + $(u16 "$zip" $((at + 30))) + $(u16 "$zip" $((at + 32)))))
done
[[ "$(printf '%s\n' "${names[@]}" | LC_ALL=C sort)" == "$(printf '%s\n' LICENSE.txt qostrel.exe 使用说明.txt | LC_ALL=C sort)" ]] ||
    fail "the zip holds: ${names[*]}"

exe=$(mktemp --suffix=.exe)
trap 'rm -f "$exe"' EXIT
unzip -p "$zip" qostrel.exe >"$exe"
size=$(stat -c %s "$exe")
((size <= 2 * 1024 * 1024)) || fail "qostrel.exe is $size bytes"
system=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll \
shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll ws2_32.dll "
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
[[ -n "$imports" ]] || fail "qostrel.exe imports nothing"
for dll in $imports; do
    [[ $system == *" $dll "* ]] || fail "qostrel.exe imports $dll"
done

(cd "$(dirname "$zip")" && sha256sum --quiet -c "$(basename "$zip").sha256") || fail "the zip's .sha256 does not match"
[[ "$(cut -d' ' -f1 "$(dirname "$zip")/SHA256SUMS.txt")" == "$(sha256sum "$exe" | cut -d' ' -f1)" ]] ||
    fail "SHA256SUMS.txt does not match qostrel.exe"
echo "$(basename "$zip"): ${names[*]}; qostrel.exe $size bytes, imports $(echo $imports)"
