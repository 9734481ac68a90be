#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12. Safe to run again:
# every step checks first and does nothing when its work is already done.
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "run as root (or through sudo): $0" >&2; exit 1; fi; }

packages=(
  cmake ninja-build g++ googletest libgtest-dev
  g++-mingw-w64-i686 mingw-w64-tools
  wine wine32 wine64 xvfb xauth x11-apps
  fonts-wine imagemagick fonts-dejavu-core
  dpkg-dev binutils-mingw-w64-i686 ca-certificates
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_root
  dpkg --add-architecture i386
  updated=no
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# libjpeg is built from Debian's own source package, so the deb-src entry must be there.
src_list=/etc/apt/sources.list.d/debian-src.sources
add_src=no
if [ ! -f "$src_list" ]; then add_src=yes; fi

if [ ${#missing[@]} -gt 0 ] || [ "$add_src" = yes ] || [ "${updated:-}" = no ]; then
  need_root
  if [ "$add_src" = yes ]; then
    # Same URIs, suites, components and Signed-By as the first binary entry; apt refuses a
    # second, different Signed-By for the same archive.
    awk 'BEGIN { RS = ""; ORS = "\n" } NR == 1 { sub(/Types: deb/, "Types: deb-src"); print }' \
      /etc/apt/sources.list.d/debian.sources > "$src_list.tmp"
    mv "$src_list.tmp" "$src_list"
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q || true
  if [ ${#missing[@]} -gt 0 ]; then
    apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
fi

# Some virtual machines run no 32-bit x86 code natively ("Exec format error"), which leaves
# wine32 dead. There, 32-bit programs go through qemu's user-mode emulator instead: slower,
# but the same Wine.
if ! /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
  need_root
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q --no-install-recommends qemu-user-static binfmt-support
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      > /proc/sys/fs/binfmt_misc/register
  fi
  /lib/ld-linux.so.2 --help >/dev/null 2>&1 || { echo "32-bit programs still do not run" >&2; exit 1; }
fi

# The user that the tests of read-only and access-denied files run as: Wine run by root ignores
# file permissions, as no Windows user could.
if ! id tyxtest >/dev/null 2>&1; then
  need_root
  useradd --system --no-create-home --shell /usr/sbin/nologin tyxtest
fi
