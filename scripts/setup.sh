#!/usr/bin/env bash
# Installs everything the builds need, idempotently: Debian packages, the Dear ImGui
# source from Debian's archive and the Inter fonts from the npm registry. Downloads and
# unpacked sources live outside the clone, in the user's cache folder (cmake/Cache.cmake
# names the same one), so that every clone on the machine shares them.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps=$("$root/scripts/cache-dir.sh")/deps
downloads="$deps/downloads"
mkdir -p "$downloads"
# Two clones setting up at once take turns.
exec 9>"$deps/.setup.lock"
flock 9

fail() {
    echo "setup: $*" >&2
    exit 1
}

as_root() {
    if [ "$(id -u)" = 0 ]; then
        "$@"
    else
        sudo -n "$@"
    fi
}

# --- Debian packages ---------------------------------------------------------------
packages=(
    cmake ninja-build g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine xvfb xauth libgl1-mesa-dri xdotool x11-apps woff2 googletest ccache
    debian-archive-keyring xz-utils npm python3
)
missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
# A machine may carry node and npm from elsewhere; only ask Debian for npm when none runs.
if command -v npm >/dev/null 2>&1; then
    missing=("${missing[@]/npm/}")
fi
missing=($(printf '%s\n' "${missing[@]}" | grep -v '^$' || true))
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null ||
        fail "apt-get update failed; needed packages: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}" >/dev/null || fail "could not install: ${missing[*]}"
fi
for tool in cmake ninja x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres wine Xvfb xwd \
    woff2_decompress npm ccache; do
    command -v "$tool" >/dev/null 2>&1 || fail "missing after install: $tool"
done
[ -f /usr/src/googletest/CMakeLists.txt ] || fail "missing: GoogleTest source in /usr/src/googletest"

# --- Dear ImGui from Debian's source archive -----------------------------------------
imgui="$deps/imgui"
preferred_imgui="1.92.2b+ds-1"

imgui_version_num() {
    sed -n 's/^#define IMGUI_VERSION_NUM[[:space:]]*\([0-9]*\).*/\1/p' "$1/imgui.h" 2>/dev/null
}

check_imgui() {
    local dir=$1 num
    num=$(imgui_version_num "$dir")
    [ -n "$num" ] || fail "no IMGUI_VERSION_NUM in $dir/imgui.h"
    [ "$num" -ge 19200 ] || fail "Dear ImGui $num is older than 1.92 (19200)"
    for backend in imgui_impl_win32.cpp imgui_impl_dx11.cpp; do
        [ -f "$dir/backends/$backend" ] || fail "Dear ImGui source lacks backends/$backend"
    done
}

if [ ! -f "$imgui/imgui.h" ]; then
    apt_dir="$deps/apt"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian sid main" \
        >"$apt_dir/sources.list"
    apt_options=(
        -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
        -o "APT::Sandbox::User=root" -q
    )
    if ! ls "$downloads"/imgui_*.orig.tar.* >/dev/null 2>&1; then
        apt-get "${apt_options[@]}" update >/dev/null ||
            fail "could not read Debian's sid source index (needed for Dear ImGui)"
        (cd "$downloads" &&
            { apt-get "${apt_options[@]}" source --download-only "imgui=$preferred_imgui" >/dev/null 2>&1 ||
                apt-get "${apt_options[@]}" source --download-only imgui >/dev/null; }) ||
            fail "could not download the Dear ImGui source package (imgui) from Debian sid"
    fi
    tarball=$(ls "$downloads"/imgui_*.orig.tar.* | sort -V | tail -n 1)
    unpack="$deps/imgui.unpack"
    rm -rf "$unpack" && mkdir -p "$unpack"
    tar -xf "$tarball" -C "$unpack" || fail "could not unpack $tarball"
    source_dir=$(find "$unpack" -mindepth 2 -maxdepth 2 -name imgui.h -printf '%h\n' | head -n 1)
    [ -n "$source_dir" ] || fail "no imgui.h in $tarball"
    check_imgui "$source_dir"
    rm -rf "$imgui" && mv "$source_dir" "$imgui" && rm -rf "$unpack"
    echo "setup: Dear ImGui taken from $(basename "$tarball")"
fi
check_imgui "$imgui"

# --- Inter fonts from the npm registry -----------------------------------------------
fonts="$deps/fonts"
inter_package="inter-ui@4.1.1"
font_sources=(web/Inter-Medium.woff2 web/Inter-SemiBold.woff2 display/InterDisplay-Bold.woff2)
need_fonts=0
for source in "${font_sources[@]}"; do
    name=$(basename "$source" .woff2)
    [ -s "$fonts/$name.ttf" ] || need_fonts=1
done
if [ $need_fonts = 1 ]; then
    tgz="$downloads/inter-ui-4.1.1.tgz"
    if [ ! -s "$tgz" ]; then
        (cd "$downloads" && npm pack --silent "$inter_package" >/dev/null) ||
            fail "could not fetch $inter_package from the npm registry"
    fi
    unpack="$deps/fonts.unpack"
    rm -rf "$unpack" && mkdir -p "$unpack" "$fonts"
    for source in "${font_sources[@]}"; do
        tar -xzf "$tgz" -C "$unpack" "package/$source" || fail "$inter_package lacks $source"
        name=$(basename "$source" .woff2)
        cp "$unpack/package/$source" "$unpack/$name.woff2"
        woff2_decompress "$unpack/$name.woff2" >/dev/null || fail "could not decompress $source"
        mv "$unpack/$name.ttf" "$fonts/$name.ttf"
    done
    rm -rf "$unpack"
fi
