# Sourced by the scripts: the build tree and the Wine environment of its prefix.
suite_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
suite_locale=zh_CN.UTF-8
# The compiler cache keys on paths relative to the checkout, so that a second clone (CI's) reuses
# what the first compiled. It stays in the user's own cache folder: HOME is the prefix's below.
export CCACHE_BASEDIR=$suite_root CCACHE_NOHASHDIR=1
export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}
export TZ=UTC
export WINEDEBUG=${WINEDEBUG:--all}

# Every program of the suite is 32-bit x86 code, and so is Wine's loader for it. A kernel without
# the 32-bit compatibility mode (some virtual machines) cannot run either.
suite_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
suite_no_32bit_message="this machine cannot execute 32-bit x86 programs (Wine's 32-bit loader fails with 'Exec format error')"

# suite_use_tree DIR [ARCH]: the build tree the scripts work on and the Wine of its prefix.
# ARCH is win32 or win64; without it, the one the tree was configured for (DIR/suite-arch).
# A win64 tree is the same sources built for 64-bit Windows, run under 64-bit Wine where the
# 32-bit programs cannot run.
suite_use_tree() {
    suite_build=$1
    suite_arch=${2:-$(cat "$1/suite-arch" 2>/dev/null || echo win32)}
    suite_wine=$suite_build/wine
    export WINEARCH=$suite_arch
    # A test that needs a prefix to itself runs in one of the copies scripts/test makes (wp1,
    # wp2, ...): CTest hands each such test a free copy by its id.
    local lane=
    case ${CTEST_RESOURCE_GROUP_0_PREFIX:-} in
        id:*) lane=${CTEST_RESOURCE_GROUP_0_PREFIX#id:}; lane=${lane%%,*} ;;
    esac
    export WINEPREFIX=$suite_wine/wp$lane
    export HOME=$suite_wine/home$lane
    if [ "$suite_arch" = win64 ]; then
        export WINELOADER=/usr/lib/wine/wine64
        case ":$PATH:" in *":$suite_root/scripts/wine64:"*) ;; *) PATH=$suite_root/scripts/wine64:$PATH ;; esac
    fi
}

# The tree that runs here: build/ (the 32-bit deliverables) on a machine that runs 32-bit x86
# code, build-x64/ on one that does not; SUITE_BUILD names another.
if [ -n "${SUITE_BUILD:-}" ]; then
    suite_use_tree "$SUITE_BUILD"
elif suite_runs_32bit; then
    suite_use_tree "$suite_root/build" win32
else
    suite_use_tree "$suite_root/build-x64" win64
fi
