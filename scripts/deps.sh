# Debian packages the build, the program and the tests need; sourced by the other scripts.
RUNTIME_PACKAGES="qt6-base-dev libqpdf-dev libgl1-mesa-dev fonts-liberation"
BUILD_PACKAGES="build-essential cmake ninja-build pkg-config"
TEST_PACKAGES="googletest libgtest-dev qpdf xvfb xauth xdotool"

# Installs whichever of the given packages are missing; quick when none is.
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures (once) and builds the tree in build/.
build_tree() {
    local top
    top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAGEMILL_WERROR=ON "-DPAGEMILL_SKIP=${PAGEMILL_SKIP:-}" >/dev/null
    cmake --build "$top/build"
}
PACKAGE_PACKAGES="desktop-file-utils appstream dpkg-dev"
