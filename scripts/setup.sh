#!/bin/sh
# Installs the Debian packages the build and the tests need, only when one is missing.
# Safe to run again; does nothing on a machine that has everything.
set -eu

need_native="g++ cmake ninja-build googletest clang libclang-rt-14-dev"
need_windows="g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xdotool x11-utils libx11-dev imagemagick llvm fonts-wqy-microhei"

missing=""
wanted="$need_native"
[ -n "${RC2E_NATIVE_ONLY:-}" ] || wanted="$wanted $need_windows"
for p in $wanted; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "setup: installing$missing" >&2
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
case "$missing" in *:i386*) dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386 ;; esac
$SUDO apt-get update -q >/dev/null
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing >/dev/null
