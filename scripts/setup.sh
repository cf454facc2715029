#!/usr/bin/env bash
# Installs the Debian packages a task needs:
#   scripts/setup.sh build   what running the program needs, plus building it
#                            (scripts/run.sh, scripts/build.sh, scripts/package.sh)
#   scripts/setup.sh test    all that, plus the test tools (scripts/test.sh; the default)
# Idempotent: when everything is already installed it only checks and returns.
set -euo pipefail

# Running: the Qt libraries and plugins, libftdi, and a proportional font for the
# menus and table headers.
run=(
  libqt6widgets6 libqt6serialport6 libqt6multimedia6 libqt6svg6 qt6-qpa-plugins
  libftdi1-2 fonts-dejavu-core
)
# Building.
build=(
  build-essential cmake ninja-build pkg-config git ccache dpkg-dev
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-multimedia-dev qt6-svg-dev
  libgl-dev libftdi1-dev libusb-1.0-0-dev
)
# Testing: the test frameworks, the fuzzing and sanitizer compiler, the tools that
# drive and look at the program, every locale (comma decimals), the fonts the page
# tests measure, LibreOffice to read the exported workbook back, the validators
# of the installed files, and MinGW-w64, Wine and the GoogleTest sources to build and
# run the core's tests for Windows.
test=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format
  xvfb xauth xdotool imagemagick poppler-utils socat locales-all
  fonts-liberation2 libreoffice-calc-nogui
  desktop-file-utils shared-mime-info appstream lintian
  g++-mingw-w64-x86-64-posix wine64 googletest
)

case "${1:-test}" in
  build) packages=("${run[@]}" "${build[@]}") ;;
  test) packages=("${run[@]}" "${build[@]}" "${test[@]}") ;;
  *) echo "usage: scripts/setup.sh [build|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
