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
