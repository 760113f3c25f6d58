#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Only what is missing is installed.
set -euo pipefail
pkgs=(cmake g++ make pkg-config
      qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libgl-dev
      qt6-translations-l10n qt6-wayland libxcb1-dev
      libbenchmark-dev libsqlite3-dev poppler-utils postgresql xvfb weston x11-apps imagemagick
      clang libclang-rt-14-dev clang-format-14 openssl fonts-liberation
      libcups2-dev cups-daemon cups-client)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >/dev/null \
    || { $SUDO apt-get update -q >/dev/null && \
         $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >/dev/null; }
fi
