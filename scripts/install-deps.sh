#!/usr/bin/env bash
# Installs what building and testing ZW4410 needs, from Debian's packages.
# Safe to run again: it does nothing when everything is present.
#   scripts/install-deps.sh           build and test dependencies
#   scripts/install-deps.sh --desktop also the tools to look at the program
#                                     without a display (Xvfb, xdotool, ImageMagick)
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git binutils
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools libgl-dev qt6-svg-dev
    fonts-noto-cjk
    python3 python3-pyvisa
    qt6-translations-l10n
    dpkg-dev file desktop-file-utils appstream shared-mime-info
    cups printer-driver-cups-pdf poppler-utils
    libsndfile1-dev
    libcli11-dev
)
if [ "${1:-}" = "--desktop" ]; then
    packages+=(xvfb xauth xdotool x11-apps imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then
        sudo=(sudo)
    else
        echo "Need root (or sudo) to install: ${missing[*]}" >&2
        exit 1
    fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
