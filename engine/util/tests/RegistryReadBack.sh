#!/usr/bin/env bash
# A value written with CRegistryKey is in the registry that other programs read: write it
# from the test program, read it back with Wine's own reg tool.
# RegistryReadBack.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
run="$(cd "$(dirname "$0")/../../.." && pwd)/scripts/wine-run"
subkey='Software\KavexTest\RegistryReadBack'
key="HKCU\\$subkey"

fail() { echo "FAIL: $*"; "$run" reg delete "$key" /f >/dev/null 2>&1; exit 1; }

"$run" "$exe" --helper WriteRegistryValues "$subkey" || fail "the test program could not write"
text=$("$run" reg query "$key" /v Text 2>&1 | tr -d '\r')
echo "$text"
grep -Eq '^ +Text +REG_SZ +Written by CRegistryKey$' <<<"$text" || fail "Text not read back"
# reg prints in the console code page, 936 here.
chinese=$("$run" reg query "$key" /v Chinese 2>&1 | iconv -f GBK -t UTF-8 | tr -d '\r')
echo "$chinese"
grep -Eq '^ +Chinese +REG_SZ +电视$' <<<"$chinese" || fail "Chinese not read back"
number=$("$run" reg query "$key" /v Number 2>&1 | tr -d '\r')
echo "$number"
grep -Eq '^ +Number +REG_DWORD +0x2a$' <<<"$number" || fail "Number not read back"
"$run" reg delete "$key" /f >/dev/null 2>&1
echo "PASS"
