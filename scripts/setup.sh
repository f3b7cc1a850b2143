#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, once.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6gui6 libqt6printsupport6 fonts-dejavu-core
  poppler-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  libminizip-dev zlib1g-dev
  libmuparser-dev
  libcurl4-openssl-dev
  python3-pyftpdlib python3-openssl
  libpolyclipping-dev
  locales xvfb xauth
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The number-formatting tests run under a decimal-comma locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating the de_DE.UTF-8 locale"
  if [ -f /etc/locale.gen ]; then
    $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  else
    $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
  fi
fi
