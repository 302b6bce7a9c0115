#!/usr/bin/env bash
# Installs what building and running Scribbit needs on Debian 12 (as root).
# Skips everything that is already in place, so a second run costs nothing.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

packages=(g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          wine wine32:i386 wine64 fonts-wine xvfb xauth imagemagick
          fonts-ipafont-gothic fonts-ipafont-mincho locales cmake ninja-build
          googletest g++ python3 grep zlib1g-dev manpages-ja clang libclang-rt-14-dev strace
          manpages-de manpages-fr manpages-es manpages-pl manpages-ru)
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done

if [ ${#need[@]} -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
