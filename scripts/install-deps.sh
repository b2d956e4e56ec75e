#!/usr/bin/env bash
# Installs what building, running and testing Trimbench needs on Debian 12.
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-qpa-plugins qt6-charts-dev libqt6opengl6-dev libgl1-mesa-dev
  libudev-dev libgtest-dev libgmock-dev libbenchmark-dev
  libqt6sql6-sqlite libqt6sql6-psql postgresql poppler-utils qt6-translations-l10n
  fonts-noto-cjk fonts-takao-gothic fonts-dejavu-core locales
  xvfb xauth dbus dbus-x11 at-spi2-core python3 python3-pyatspi
  dpkg-dev fakeroot file lintian appstream desktop-file-utils ccache libxml2-utils
  g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix wine64 nsis fonts-wine
)
# One query for all of them; a package dpkg does not know counts as missing.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null \
  | awk '$NF == "installed" { print $1 }' || true)
missing=()
for p in "${PACKAGES[@]}"; do
  grep -qx "$p" <<<"$installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The Japanese locale the program selects at start-up (its test fails without it).
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO=sudo
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    echo "install-deps: the ja_JP.UTF-8 locale could not be installed" >&2
    exit 1
  fi
fi
