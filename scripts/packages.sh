# Installs the Debian packages named in its arguments that are not installed
# yet. Sourced by the other scripts; refreshes the package lists only when
# something is missing.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ "${#missing[@]}" -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# What building and running the window needs.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-qpa-plugins libxcb1-dev fonts-ipafont-mincho)
# What the test suite adds: a virtual X display, and real key and mouse
# events on it, for the test that drives the built program.
TEST_PACKAGES=(xvfb xauth xdotool fonts-dejavu-core)
# libFuzzer and the sanitizers' runtime come with clang.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# What ./scripts/bench adds: Google Benchmark, and a virtual X display whose
# damage reports the start-up benchmark watches through xcb.
BENCH_PACKAGES=(libbenchmark-dev libxcb1-dev libxcb-damage0-dev xvfb xauth)
# What ./scripts/check-package adds: CPack's Debian generator needs file and
# dpkg-shlibdeps; the validators check the desktop entry and the metainfo.
PACKAGE_PACKAGES=(file dpkg-dev desktop-file-utils appstream)

# Configures and builds one preset, using both cores of a small machine.
build_preset() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
}
