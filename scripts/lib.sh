# Shared by the scripts: install what is missing, configure and build through
# the presets in CMakePresets.json. Sourced, not run.
#
# KLANKFLITS_SKIP_APT=1 leaves the packages alone, for machines where they come
# from elsewhere (another distribution, a prepared CI image).

KLANKFLITS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What a fresh Debian 12 needs to build, test and show the program.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
                libgtest-dev fonts-dejavu-core fonts-sil-andika desktop-file-utils appstream)

# What the tests need on top: a session bus of their own for the window tests,
# a virtual X display with a window manager for the desktop tests, the tools
# that read and drive it, and Debian's Dutch word list for the built-in words.
DESKTOP_TEST_PACKAGES=(dbus-daemon xvfb xauth openbox x11-utils xdotool wdutch)

# What scripts/fuzz needs on top: clang 14 with its sanitizer and libFuzzer runtimes.
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev libfuzzer-14-dev)

missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
            || echo "$pkg"
    done
}

ensure_packages() {
    [ "${KLANKFLITS_SKIP_APT:-0}" = 1 ] && return 0
    command -v dpkg-query >/dev/null || {
        echo "No dpkg here: install the packages yourself and set KLANKFLITS_SKIP_APT=1:" "$@" >&2
        return 1
    }
    local missing
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "== Installing missing Debian packages:" $missing
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root (or sudo) to install:" $missing >&2; return 1; }
        sudo=sudo
    fi
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
        --no-install-recommends $missing
}

# Where a preset builds: its binaryDir, build-<preset>/ (dev: build/).
preset_build_dir() {
    if [ "$1" = dev ]; then
        echo "$KLANKFLITS_ROOT/build"
    else
        echo "$KLANKFLITS_ROOT/build-$1"
    fi
}

# configure_and_build PRESET [CMAKE CONFIGURE ARGS...]
configure_and_build() {
    local preset=$1
    shift
    (cd "$KLANKFLITS_ROOT" && cmake --preset "$preset" "$@" >/dev/null &&
        cmake --build --preset "$preset" --parallel "$(nproc 2>/dev/null || echo 2)")
}
