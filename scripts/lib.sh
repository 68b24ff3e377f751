# Shared by the scripts: install what is missing, configure and build.
# Sourced, not run.

KLANKFLITS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$KLANKFLITS_ROOT/build}

# What a fresh Debian 12 needs to build, test and show the program.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
                libgtest-dev fonts-dejavu-core desktop-file-utils appstream)

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
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

configure_and_build() {
    cmake -S "$KLANKFLITS_ROOT" -B "$BUILD_DIR" -G Ninja "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc 2>/dev/null || echo 2)"
}
