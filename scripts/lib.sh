# shellcheck shell=bash
# Shared by the scripts: phase headings, the Debian packages each script
# needs and their installation in one round, building a preset, and a virtual
# X display.

# A short heading for the phase a script is entering.
phase() {
    printf '== %s\n' "$*"
}

# Installs, in one round, the Debian packages named in its arguments that are
# not installed yet: one apt-get update and one apt-get install, or nothing
# when all are there. apt's own output goes to build/apt.log, which is printed
# when apt fails.
ensure_packages() {
    local missing=() package
    declare -A seen=()
    for package in "$@"; do
        [ -n "${seen[$package]:-}" ] && continue
        seen[$package]=1
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
    local log=build/apt.log start=$SECONDS
    mkdir -p build
    phase "Installing ${#missing[@]} Debian packages and what they need: ${missing[*]} (apt's output: $log)"
    if ! { "${sudo[@]}" apt-get update &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y --no-install-recommends "${missing[@]}"; } >"$log" 2>&1 </dev/null; then
        cat "$log" >&2
        echo "apt failed; its output is above and in $log" >&2
        return 1
    fi
    local count
    count=$(grep -Eo '[0-9]+ newly installed' "$log" | tail -n 1 | cut -d ' ' -f 1)
    echo "Installed ${count:-the} packages in $((SECONDS - start)) s"
}

# What building and running the window needs. The preset default configures
# the tests too, and one of them looks for a font without Japanese.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-qpa-plugins libxcb1-dev libxlsxwriter-dev libminizip-dev fonts-ipafont-mincho
    fonts-dejavu-core)
# What ./scripts/run adds where there is no display: a virtual X display, and
# xauth, which xvfb-run needs for the installed program.
DISPLAY_PACKAGES=(xvfb xauth)
# What the tests add: real key and mouse events on a virtual display, for the
# tests that drive the built program and find windows; the formatting check.
TEST_PACKAGES=(xvfb xauth xdotool clang-format git)
# libFuzzer and the sanitizers' runtime come with clang.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# What ./scripts/bench adds: Google Benchmark, and a virtual X display whose
# damage reports the start-up benchmark watches through xcb.
BENCH_PACKAGES=(libbenchmark-dev libxcb1-dev libxcb-damage0-dev xvfb xauth)
# What ./scripts/check-package adds: CPack's Debian generator needs file and
# dpkg-shlibdeps; the validators check the desktop entry, the metainfo, the
# package and the manual page; debootstrap makes the clean Debian root that
# the package is installed into, and the window is found there with xdotool.
PACKAGE_PACKAGES=(file dpkg-dev desktop-file-utils appstream lintian man-db debootstrap xvfb xdotool)

# Configures one preset and builds it (only the targets named after it, if
# any), using both cores of a small machine.
build_preset() {
    local preset=$1
    shift
    local targets=()
    [ "$#" -gt 0 ] && targets=(--target "$@")
    phase "Building preset $preset${1:+ (only $*)}"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
}

# Starts Xvfb in the background on a free display (the server picks the number
# and writes it to the given descriptor), without a TCP listener. Sets
# xvfb_pid and xvfb_display (":N"). Argument: a scratch directory for its log.
start_xvfb() {
    local work=$1
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/xvfb-display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    local _
    for _ in $(seq 300); do
        [ -s "$work/xvfb-display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; xvfb_pid=; return 1; }
        sleep 0.1
    done
    [ -s "$work/xvfb-display" ] || { echo "Xvfb did not start within 30 s" >&2; return 1; }
    xvfb_display=:$(cat "$work/xvfb-display")
}

# Stops the Xvfb that start_xvfb started, if it runs.
stop_xvfb() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
    return 0
}

# What a desktop session would give a program, for one run on a virtual
# display, in the given scratch directory: a runtime directory of its own
# (Qt warns without one and makes one in /tmp that outlives the run), and no
# message bus. With no bus address the D-Bus library would autolaunch a bus
# that outlives the run; an address where nothing listens makes the program
# run without one, as it can.
private_session() {
    local work=$1
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        mkdir -m 700 "$work/runtime"
        export XDG_RUNTIME_DIR=$work/runtime
    fi
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-session-bus
}
