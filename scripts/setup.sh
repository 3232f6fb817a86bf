#!/usr/bin/env bash
# Installs what the build and the tests need, makes 32-bit programs runnable,
# and configures and builds the presets. Source it for the tt_* functions, or
# run it: `scripts/setup.sh [PRESET...]` (default: win32 win64 host).

# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

TT_PACKAGES=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine fonts-wqy-microhei fonts-symbola
  python3-fonttools
  xvfb xauth xdotool imagemagick x11-utils trayer
  libgtest-dev clang libclang-rt-14-dev cmake ninja-build zip
)

# apt only when something is missing, so a set-up machine starts at once.
tt_install_packages() {
  local missing=() package
  for package in "${TT_PACKAGES[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  tt_say "installing: ${missing[*]}"
  [ "$(id -u)" -eq 0 ] || tt_die "run as root to install: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  tt_logged apt-update apt-get update || tt_die "apt-get update failed"
  tt_logged apt-install apt-get install -y "${missing[@]}" </dev/null ||
    tt_die "apt-get install failed"
}

# Some kernels here cannot run i386 ELF programs ("Exec format error"), and
# the 32-bit wine loader is one. There qemu-i386, registered with
# binfmt_misc, runs them under CPU emulation. Bookworm's qemu 7.2 cannot run
# 32-bit Wine: it takes MAP_FIXED_NOREPLACE as a mere hint, so Wine's fixed
# reservations land elsewhere and the shared user data page at 0x7ffe0000
# cannot be mapped. The backports' qemu (10) maps them where asked.
TT_QEMU_MAJOR=10
TT_BACKPORTS=/etc/apt/sources.list.d/topmost-tamer-backports.list

tt_qemu_ready() {
  local version
  version="$(qemu-i386 --version 2>/dev/null | sed -n '1s/.*version \([0-9]*\).*/\1/p')"
  [ "${version:-0}" -ge "$TT_QEMU_MAJOR" ]
}

# The mirror of the machine's own bookworm entry, from a deb822 .sources file
# (URIs: and Suites: in one paragraph) or a one-line "deb [OPTIONS] URI
# bookworm ..." entry: the backports come from the same mirror.
tt_bookworm_mirror() {
  local files=() file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && files+=("$file")
  done
  [ ${#files[@]} -gt 0 ] || return 1
  awk '
    function found(mirror) { print mirror; printed = 1; exit }
    function take() { if (!printed && deb && bookworm && !off && uri) found(uri) }
    function reset() { deb = bookworm = off = 0; uri = "" }
    FNR == 1 { take(); reset() }
    FILENAME ~ /\.sources$/ {
      if ($0 ~ /^[ \t]*$/) { take(); reset() }
      if (tolower($1) == "types:") deb = $0 ~ /[ \t]deb([ \t]|$)/
      if (tolower($1) == "suites:") bookworm = $0 ~ /[ \t]bookworm([ \t]|$)/
      if (tolower($1) == "uris:") uri = $2
      if (tolower($1) == "enabled:") off = tolower($2) == "no"
      next
    }
    $1 == "deb" {
      field = 2
      if ($2 ~ /^\[/) { while (field < NF && $field !~ /\]$/) field++; field++ }
      if ($(field + 1) == "bookworm") found($field)
    }
    END { take() }
  ' "${files[@]}"
}

tt_install_qemu() {
  local mirror
  tt_qemu_ready && return 0
  tt_say "installing qemu-user $TT_QEMU_MAJOR from bookworm-backports"
  [ "$(id -u)" -eq 0 ] || tt_die "run as root to install qemu-user"
  mirror="$(tt_bookworm_mirror)"
  [ -n "$mirror" ] || {
    tt_say "no bookworm entry in the apt sources to take the mirror from"
    return 1
  }
  echo "deb $mirror bookworm-backports main" >"$TT_BACKPORTS"
  export DEBIAN_FRONTEND=noninteractive
  tt_logged apt-update-backports apt-get update &&
    tt_logged apt-install-qemu apt-get install -y --no-install-recommends \
      -t bookworm-backports qemu-user </dev/null
}

# Sets TT_I386 to native, emulated (through qemu-i386) or none.
export TT_I386=""
tt_setup_i386() {
  local binfmt=/proc/sys/fs/binfmt_misc
  TT_I386=none
  if [ ! -e "$binfmt/qemu-i386" ]; then
    if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
      TT_I386=native
      return 0
    fi
    if [ ! -e "$binfmt/register" ]; then
      mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || return 0
    fi
  fi
  tt_install_qemu || return 0
  # Registered anew each time: F opens the interpreter at registration and
  # keeps that file, so an entry made before qemu was upgraded would go on
  # running the old one.
  [ -e "$binfmt/qemu-i386" ] && echo -1 >"$binfmt/qemu-i386" 2>/dev/null
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' \
    >"$binfmt/register" 2>/dev/null || return 0
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 && TT_I386=emulated
  return 0
}

# Configures a preset once and builds it, or only the given targets; ninja
# makes a second call cheap.
tt_build() {
  local preset="$1" targets=()
  shift
  [ $# -gt 0 ] && targets=(--target "$@")
  if [ ! -f "$TT_ROOT/build/$preset/build.ninja" ]; then
    (cd "$TT_ROOT" && tt_logged "configure-$preset" cmake --preset "$preset") ||
      return 1
  fi
  (cd "$TT_ROOT" && tt_logged "build-$preset" cmake --build --preset "$preset" "${targets[@]}")
}

tt_setup() {
  tt_install_packages
  tt_setup_i386
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -u
  tt_setup
  presets=("$@")
  [ $# -eq 0 ] && presets=(win32 win64 host)
  status=0
  for preset in "${presets[@]}"; do
    tt_build "$preset" || status=1
  done
  exit "$status"
fi
