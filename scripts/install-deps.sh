#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail
PKGS=(build-essential cmake ninja-build clang-format-14 qt6-base-dev qt6-charts-dev libqt6opengl6-dev
      libfreexl-dev libzip-dev libexpat1-dev libgtest-dev googletest libbenchmark-dev xvfb xauth
      clang-14 libclang-rt-14-dev dosbox qt6-translations-l10n)
missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
