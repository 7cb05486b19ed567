#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need,
# asking apt only for what is missing.
set -euo pipefail
packages=(
  # compiler and build tools
  build-essential cmake pkg-config
  # the format check of CI
  clang-format
  # the fuzz targets (libFuzzer and its sanitizer runtimes come with clang)
  clang-14 libclang-rt-14-dev
  # Qt 5.15 and its translation tools; libqt5gui5 (pulled in here) ships the
  # xcb platform plugin and depends on every library that plugin loads
  qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
  # the real mouse's HID library; udev for plug and pull, X11 and XInput for
  # the pointer speed
  libhidapi-dev libudev-dev libx11-dev libxi-dev
  # the fonts Config.ini names for the shipped languages
  fonts-dejavu-core fonts-wqy-microhei
  # the Win32 platform sources are compiled here as a check; small Win32
  # programs of theirs (platform layer, OSD messaging) run under Wine
  g++-mingw-w64-x86-64 wine64
  # a virtual screen for the demo and the end-to-end tests, and the tools
  # that find and measure windows on it (xdotool, xwininfo)
  xvfb xdotool x11-utils
  # the screen-reader end-to-end test (tests/e2e/tst_atspi.py): the
  # accessibility bus and registry, a private session bus (dbus-daemon,
  # dbus-send; dbus-x11 for running the demo under one), and the AT-SPI
  # client for the system /usr/bin/python3
  at-spi2-core dbus-daemon dbus-bin dbus-x11 python3-pyatspi
  # the Debian package (cpack -G DEB with dpkg-shlibdeps) and its checks
  dpkg-dev appstream lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
