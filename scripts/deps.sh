# Installs the Debian packages a command needs, or tells how to.
# Usage: . scripts/deps.sh; need_packages PKG...
need_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
            { echo "apt-get install failed" >&2; return 1; }
    else
        echo "Missing packages. Install them with:"
        echo "  sudo apt-get install -y ${missing[*]}"
        return 1
    fi
}

# What building the game needs.
BUILD_PACKAGES=(cmake g++ ninja-build pkg-config libasound2-dev libncurses-dev)
# What scripts/check-package.sh needs beyond the build: dpkg-shlibdeps for the package's
# dependencies, groff and lexgrog for the manual pages, python3 for the pty run.
PACKAGE_CHECK_PACKAGES=(dpkg-dev groff-base man-db python3)
# What scripts/check-package.sh installs beyond that when it runs as root (and otherwise runs
# without): lintian, which checks the package against Debian's policy.
LINT_PACKAGES=(lintian)
# What the tests need beyond that (CI checks the package after the tests).
TEST_PACKAGES=(googletest libgtest-dev libvterm-dev libfaketime locales clang libclang-rt-14-dev
    "${PACKAGE_CHECK_PACKAGES[@]}")
