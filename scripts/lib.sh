# Shared by the build, run and test scripts. Sourced, never executed.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the project needs, as "package:probe" where the probe is a
# file whose presence shows the package is installed (cheaper than dpkg).
REQUIRED_PACKAGES=(
    "cmake:/usr/bin/cmake"
    "ninja-build:/usr/bin/ninja"
    "g++:/usr/bin/g++"
    "qt6-base-dev:/usr/lib/x86_64-linux-gnu/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake"
    "qt6-qpa-plugins:/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqoffscreen.so"
    "fonts-dejavu-core:/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
    "libgl-dev:/usr/include/GL/gl.h"
    "libgtest-dev:/usr/include/gtest/gtest.h"
    "libgmock-dev:/usr/include/gmock/gmock.h"
    "clang-format:/usr/bin/clang-format"
    "nodejs:node"
    "openssl:/usr/bin/openssl"
    "zip:/usr/bin/zip"
    "unzip:/usr/bin/unzip"
    # The tray end-to-end test and the tray benchmarks: a desktop of their own.
    "xvfb:/usr/bin/Xvfb"
    "trayer:/usr/bin/trayer"
    "xdotool:/usr/bin/xdotool"
    "libxcb1-dev:/usr/include/xcb/xcb.h"
    # The Debian package (cpack -G DEB) finds its library dependencies with dpkg-shlibdeps.
    "dpkg-dev:/usr/bin/dpkg-shlibdeps"
)

have_probe() {
    local probe="$1"
    if [[ "$probe" == /* ]]; then
        # Multiarch paths differ between architectures; accept any of them.
        compgen -G "${probe/x86_64-linux-gnu/*}" >/dev/null
    else
        command -v "$probe" >/dev/null 2>&1
    fi
}

ensure_packages() {
    local missing=()
    local entry
    for entry in "${REQUIRED_PACKAGES[@]}"; do
        have_probe "${entry#*:}" || missing+=("${entry%%:*}")
    done
    ((${#missing[@]} == 0)) && return 0
    if [[ $(id -u) -eq 0 ]]; then
        echo "Installing: ${missing[*]}" >&2
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Missing packages. Run:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

# configure_and_build BUILD_DIR [extra cmake args...]
configure_and_build() {
    local dir="$1"
    shift
    if [[ ! -f "$dir/build.ninja" ]]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    fi
    cmake --build "$dir"
}
