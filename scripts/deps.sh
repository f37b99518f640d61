#!/bin/bash
# Installs what the builds and tests need, only what is missing (apt-get update runs only then),
# and makes the ja_JP.UTF-8 locale that the Windows tests run under. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang libclang-rt-14-dev clang-format-14
    mingw-w64 wine wine64 wine32:i386
    xvfb x11-apps imagemagick fonts-ipafont-gothic
    locales nkf wamerican
)

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "deps: adding the i386 architecture (for 32-bit Wine)"
    $SUDO dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "deps: installing ${missing[*]}"
    $SUDO apt-get update -q </dev/null
    $SUDO apt-get install -y -q "${missing[@]}" </dev/null
else
    echo "deps: all packages present"
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "deps: generating the ja_JP.UTF-8 locale"
    $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
