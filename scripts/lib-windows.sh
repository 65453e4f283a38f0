# shellcheck shell=bash
# Shared by ./scripts/windows and ./scripts/test: the Debian packages the
# Windows build needs, and the cross-compiled Qt and workbook libraries that
# it links statically, built once into a cache outside the tree.

# The MinGW-w64 cross compilers, Wine to run the tests and the installer,
# wixl to make the MSI (its icon drawn with rsvg-convert and icotool), xdotool
# and xclip to use the installed program, and what the cross Qt's build needs: its source comes
# through apt-get source (dpkg-dev unpacks it), its host tools from Debian's
# own Qt of the same version. The workbook libraries' sources are those of
# Debian's own -dev packages of the Linux build, whose installed versions say
# which to fetch; minizip's build system is made with autoreconf.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 wixl msitools dpkg-dev ninja-build cmake qt6-base-dev qt6-base-dev-tools
    fonts-ipafont-mincho xvfb xauth xdotool xclip zip librsvg2-bin icoutils python3
    zlib1g-dev libminizip-dev libxlsxwriter-dev autoconf automake libtool make)

# The cross Qt's configure options: a static release build of only what the
# program and its tests use. Debian's repacked source has no wintab, so no
# tablet events; Debian's cross patch wants androiddeployqt off. Direct2D stays
# on: the DirectWrite font code needs it to link.
CROSS_QT_OPTIONS=(-static -static-runtime -release -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests -no-opengl -no-dbus -no-feature-sql -no-feature-network
    -no-feature-concurrent -no-feature-xml -no-feature-printsupport -no-feature-tabletevent
    -no-feature-androiddeployqt -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz
    -qt-pcre -no-icu)

# Debian's version of the Qt source, e.g. 6.4.2+dfsg-10: the host Qt's.
cross_qt_source_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null
}

# Where the cross Qt is (or will be) installed. The installed Qt is not
# relocatable, so the path is its identity: the Qt source version, the MinGW
# version and the configure options are all in its name. Fails, printing
# nothing, before Qt and MinGW are installed: until then no path is the one
# that ./scripts/windows will build.
cross_qt_prefix() {
    local qt mingw key
    qt=$(cross_qt_source_version)
    mingw=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix 2>/dev/null)
    [ -n "$qt" ] && [ -n "$mingw" ] || return 1
    key=$(printf '%s\n' "$qt" "$mingw" "${CROSS_QT_OPTIONS[@]}" | sha256sum | cut -c 1-12)
    printf '%s/tokivane/qt-%s-mingw-static-%s\n' "${XDG_CACHE_HOME:-$HOME/.cache}" "${qt%%+*}" "$key"
}

# True when a finished cross Qt is in the cache.
cross_qt_ready() {
    local prefix
    prefix=$(cross_qt_prefix) || return 1
    [ -f "$prefix/.tokivane-complete" ]
}

# The workbook libraries' build options, for x86_64-w64-mingw32: static
# only, so that the program needs no DLL of theirs. libxlsxwriter is built as
# Debian builds it but against the minizip built here, and with its bundled
# MD5 code where Debian's uses OpenSSL's, which has no MinGW build here.
# zlib's and minizip's own build systems take the C flags; libxlsxwriter's
# CMake release build has its own.
CROSS_LIBS_CFLAGS=(-O2)
CROSS_ZLIB_OPTIONS=(--static)
CROSS_MINIZIP_OPTIONS=(--host=x86_64-w64-mingw32 --enable-static --disable-shared)
CROSS_XLSXWRITER_OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=ON
    -DZLIB_USE_STATIC_LIBS=ON -DMINIZIP_USE_STATIC_LIBS=ON -DUSE_OPENSSL_MD5=OFF -DUSE_NO_MD5=OFF
    -DUSE_STANDARD_TMPFILE=OFF -DUSE_DTOA_LIBRARY=OFF)

# The Debian source package, and its version, of each workbook library: the
# source of the -dev package that the Linux build uses, so that both builds
# have the same code.
CROSS_LIBS=(zlib minizip libxlsxwriter)
declare -A CROSS_LIBS_DEV=([zlib]=zlib1g-dev [minizip]=libminizip-dev [libxlsxwriter]=libxlsxwriter-dev)
cross_lib_source_version() {
    dpkg-query -W -f='${source:Version}' "${CROSS_LIBS_DEV[$1]}" 2>/dev/null
}

# A Debian version's upstream part: no epoch, Debian revision or repack
# suffix (1:1.2.13.dfsg-1 is 1.2.13).
upstream_version() {
    sed -E 's/^[0-9]+://; s/-[^-]*$//; s/[.+~]dfsg.*$//' <<<"$1"
}

# Where the workbook libraries are (or will be) installed, beside the cross
# Qt and named the same way: the sources' versions, the MinGW version and the
# build options make the key, so that a change to any of them builds anew
# into a path of its own. Fails, printing nothing, before the packages whose
# versions name it are installed.
cross_libs_prefix() {
    local mingw library version versions=() name=workbook-libs key
    mingw=$(dpkg-query -W -f='${Version}' gcc-mingw-w64-x86-64-posix 2>/dev/null)
    [ -n "$mingw" ] || return 1
    for library in "${CROSS_LIBS[@]}"; do
        version=$(cross_lib_source_version "$library")
        [ -n "$version" ] || return 1
        versions+=("$library=$version")
        name+=-${library#lib}-$(upstream_version "$version")
    done
    key=$(printf '%s\n' "${versions[@]}" "$mingw" "${CROSS_LIBS_CFLAGS[@]}" "${CROSS_ZLIB_OPTIONS[@]}" \
        "${CROSS_MINIZIP_OPTIONS[@]}" "${CROSS_XLSXWRITER_OPTIONS[@]}" | sha256sum | cut -c 1-12)
    printf '%s/tokivane/%s-mingw-static-%s\n' "${XDG_CACHE_HOME:-$HOME/.cache}" "$name" "$key"
}

# True when finished workbook libraries are in the cache.
cross_libs_ready() {
    local prefix
    prefix=$(cross_libs_prefix) || return 1
    [ -f "$prefix/.tokivane-complete" ]
}

# A private apt configuration in the given directory that knows this
# machine's sources as deb-src too, so that apt-get source works without
# touching the system's own. Sets apt_options, for apt-get and apt-cache.
private_apt() {
    local apt=$1/apt
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -e "$file" ] || continue
        sed -E 's/^Types:.*/Types: deb-src/' "$file" >"$apt/sources.list.d/$(basename "$file")"
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -e "$file" ] || continue
        sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$apt/sources.list.d/from-lists.list"
    done
    apt_options=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "Dir::State::status=/var/lib/dpkg/status")
}

# Makes a Wine prefix in the given directory, once, without the prompts for
# Mono and Gecko, which nothing here needs. Wine has no Mincho of its own: the
# window's "ＭＳ 明朝" and "MS Mincho" are mapped to IPAMincho, so that
# captions render as on a Japanese Windows. Regedit reads .reg files as
# UTF-16LE when they say so with a byte-order mark.
wine_prefix() {
    local prefix=$1
    export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    [ -f "$prefix/.tokivane-fonts" ] && return 0
    mkdir -p "$prefix"
    wineboot --init >"$prefix/wineboot.log" 2>&1 || { cat "$prefix/wineboot.log" >&2; return 1; }
    local reg=$prefix/fonts.reg
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"ＭＳ 明朝"="IPAMincho"' '"MS Mincho"="IPAMincho"' |
        iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
    wine regedit /S "$(winepath -w "$reg")" || return 1
    wineserver --wait
    touch "$prefix/.tokivane-fonts"
}

# The Windows build's own directory, and the Wine prefix its tests run in.
WINDOWS_BUILD=build/windows
WINDOWS_TEST_PREFIX=$PWD/$WINDOWS_BUILD/wine-prefix

# Builds the preset windows: the program, the test programs, the MSI and the
# zip. Needs the cross Qt (./scripts/build-cross-qt) and the workbook
# libraries (./scripts/build-cross-libs).
windows_build() {
    TOKIVANE_WINDOWS_QT=$(cross_qt_prefix)
    TOKIVANE_WINDOWS_LIBS=$(cross_libs_prefix)
    export TOKIVANE_WINDOWS_QT TOKIVANE_WINDOWS_LIBS
    build_preset windows
}

# The DLLs a Windows program imports, as objdump names them.
imported_dlls() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'
}

# True when every DLL the program imports is Windows' own: one that Wine,
# which reimplements them, has in its system directory, or an API set
# (api-ms-win-*), which Windows' loader maps to its own DLLs. A MinGW runtime
# or Qt DLL is neither.
only_system_dlls() {
    local program=$1 dll missing=0
    local system=$WINEPREFIX/drive_c/windows/system32
    while read -r dll; do
        [[ "${dll,,}" == api-ms-win-* ]] && continue
        if [ -z "$(find "$system" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
            echo "$program imports $dll, which Windows does not have" >&2
            missing=1
        fi
    done < <(imported_dlls "$program")
    [ "$missing" -eq 0 ] && echo "$program imports only Windows' own DLLs: $(imported_dlls "$program" | tr '\n' ' ')"
    [ "$missing" -eq 0 ]
}
