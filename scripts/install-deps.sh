#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12. Runs apt-get as root,
# through sudo when started by another user. Packages already present are left alone.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-multimedia-dev libgl-dev libyaml-cpp-dev libqt6sql6-sqlite
    libgtest-dev libgmock-dev
    imagemagick fonts-dejavu-core python3 xdg-utils
    dpkg-dev file desktop-file-utils appstream groff-base
    xvfb xdotool xclip x11-utils
)
if [[ "${1:-}" == "--bench" ]]; then
    packages+=(hyperfine fd-find time findutils rename)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
