# Sourced by the scripts: the build tree and the Wine environment of its prefix.
suite_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
suite_build=${SUITE_BUILD:-$suite_root/build}
suite_wine=$suite_build/wine
export WINEARCH=win32
export WINEPREFIX=$suite_wine/wp
export HOME=$suite_wine/home
# Wine processes run with code page 936; set on each wine call, not in this shell.
suite_locale=zh_CN.UTF-8
export TZ=UTC
export WINEDEBUG=${WINEDEBUG:--all}

# Every program of the suite is 32-bit x86 code, and so is Wine's loader for it. A kernel without
# the 32-bit compatibility mode (some virtual machines) cannot run either: Wine never starts there.
suite_runs_32bit() { wine --version >/dev/null 2>&1; }
suite_no_32bit_message="this machine cannot execute 32-bit x86 programs (Wine's 32-bit loader fails with 'Exec format error'), so no program or test of the suite can run here"
