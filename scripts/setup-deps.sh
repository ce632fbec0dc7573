#!/usr/bin/env bash
# Installs the Debian packages the project builds, runs and tests with. Safe to run again.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-multimedia-dev pulseaudio pulseaudio-utils
          fonts-wqy-microhei python3 locales xvfb xauth imagemagick dpkg-dev clang-14 libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A comma-decimal locale for the number-format tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE.utf8$'; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
