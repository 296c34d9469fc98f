# Shared set-up of run.sh and test.sh: installs what is missing, then
# configures the build. Sourced, not run.

# What the tests need besides: a private X server, Xlib with XTest for the
# end-to-end driver, valgrind, the accessibility bus with its Python bindings,
# and the validators and tools of the packaging tests.
quelvara_test_packages=(xvfb libx11-dev libxtst-dev valgrind at-spi2-core python3-pyatspi dbus-daemon
                        desktop-file-utils appstream dpkg-dev file lintian reuse groff-base)

quelvara_packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-private-dev qt6-base-dev-tools libgl-dev
                   libvulkan-dev libfontconfig-dev fonts-dejavu-core fonts-liberation)

quelvara_needs() {
    echo "Quelvara needs: a C++20 compiler, CMake 3.22 or newer, Ninja, Qt 6.4 or newer" >&2
    echo "(Core, Gui, Widgets, Test), the fontconfig headers, the fonts DejaVu and Liberation;" >&2
    echo "the end-to-end tests also need Xvfb, Xlib and XTest headers, and valgrind. $1" >&2
    exit 1
}

quelvara_install() {
    local missing=() package
    if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
        for package in cmake ninja c++; do
            command -v "$package" >/dev/null 2>&1 || quelvara_needs "This machine has no apt-get and no $package: install them by hand."
        done
        return 0
    fi
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            quelvara_needs "Install as root: ${missing[*]} (there is no sudo here)."
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    # Waits for another apt instead of failing: for one of this project's
    # (CI installs in the background too) on a lock of its own, for any
    # other (a system's automatic updates) on dpkg's.
    local apt=("${sudo[@]}" flock -w 1200 /var/lib/apt/quelvara.lock
               env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
    "${apt[@]}" update -q
    "${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"
}

# Configures the build directory of a preset. "tests" configures it again
# every time, with the suite on: packages installed since the last run are
# then found, and nothing the suite needs is left out unnoticed. Otherwise
# an existing configuration is kept, and a new one leaves the suite out.
quelvara_configure() {
    local preset=$1 dir=$2 what=${3:-program}
    if [ "$what" = tests ]; then
        cmake --preset "$preset" -DBUILD_TESTING=ON >/dev/null || quelvara_needs "Configuring the build failed; see above."
    elif [ ! -f "$dir/build.ninja" ]; then
        cmake --preset "$preset" -DBUILD_TESTING=OFF || quelvara_needs "Configuring the build failed; see above."
    fi
}

# The program's version, as the build declares it.
quelvara_version() {
    sed -n 's/^project(Quelvara VERSION \([0-9.]*\).*/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../CMakeLists.txt"
}
