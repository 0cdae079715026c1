#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need.
# Idempotent: packages already present are skipped, and apt is not touched at all
# when nothing is missing.
set -euo pipefail

packages=(
  cmake g++ make ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libqcustomplot-dev
  libsqlite3-dev
  nlohmann-json3-dev libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-format
  xvfb xauth imagemagick fonts-dejavu-core xdotool
  poppler-utils
  bash-completion appstream desktop-file-utils man-db groff-base
  parallel
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
