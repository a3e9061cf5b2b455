#!/usr/bin/env bash
# Installs every Debian package Kestrel needs to build, test and run (Debian 12).
set -euo pipefail
packages=(
  # toolchain
  g++ cmake ninja-build pkg-config clang-format
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # drawing, fonts and the real window
  libcairo2-dev libfreetype-dev fonts-dejavu-core libsdl2-dev
  # DXF peer reader for the drawing checks
  python3-ezdxf
  # a display for the window tests and screenshots of it
  xvfb xdotool imagemagick
  # another program on the display's clipboard, for the grid's copy and paste test
  xclip
)
sudo=
if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${packages[@]}"
