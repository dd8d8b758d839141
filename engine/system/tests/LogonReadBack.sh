#!/usr/bin/env bash
# The Run and Winlogon values the TV system writes are what Wine's own reg tool reads, turned
# on and then off. LogonReadBack.sh TEST_EXE BUILD_DIR
set -u
exe=$1
export SUITE_BUILD=$2
run="$(cd "$(dirname "$0")/../../.." && pwd)/scripts/wine-run"
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
logon_key='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon'
dir='C:\KavexLogonTest'

# A prefix where the TV program ran has its tray in the Run key: kept aside for the test.
kept=$("$run" reg query "$run_key" /v Pocketel 2>/dev/null | tr -d '\r' | sed -n 's/^ *Pocketel *REG_SZ *//p')
restore() {
    "$run" reg delete "$run_key" /v Pocketel /f >/dev/null 2>&1
    [ -n "$kept" ] && "$run" reg add "$run_key" /v Pocketel /t REG_SZ /d "$kept" /f >/dev/null 2>&1
    for v in AutoAdminLogon DefaultDomainName DefaultUserName DefaultPassword; do
        "$run" reg delete "$logon_key" /v $v /f >/dev/null 2>&1
    done
}
fail() { echo "FAIL: $*"; restore; exit 1; }
query() { "$run" reg query "$1" /v "$2" 2>&1 | tr -d '\r'; }
expect() {  # key value regex
    local line
    line=$(query "$1" "$2")
    echo "$line"
    grep -Eq "^ +$2 +REG_SZ +$3\$" <<<"$line" || fail "$2 does not read '$3'"
}

[ -n "$kept" ] && "$run" reg delete "$run_key" /v Pocketel /f >/dev/null 2>&1
query "$logon_key" AutoAdminLogon | grep -q REG_SZ && fail "the prefix already has automatic logon values"

"$run" "$exe" --helper WriteAutoRunAndLogon "$dir" on || fail "the test program could not write"
expect "$run_key" Pocketel 'C:\\KavexLogonTest\\Pocketel\.exe'
expect "$logon_key" AutoAdminLogon 1
expect "$logon_key" DefaultUserName viewer
expect "$logon_key" DefaultPassword secret
expect "$logon_key" DefaultDomainName '[^ ]+'
domain=$(query "$logon_key" DefaultDomainName)
grep -q viewer <<<"$domain" && fail "the domain is the user name"

"$run" "$exe" --helper WriteAutoRunAndLogon "$dir" off || fail "the test program could not clear"
expect "$run_key" Pocketel ''
expect "$logon_key" AutoAdminLogon 0
expect "$logon_key" DefaultPassword ''
expect "$logon_key" DefaultUserName viewer
restore
echo "PASS"
