#!/usr/bin/env bash
# Checks the shipped executable: its size, that it needs no DLL beyond what
# every Windows ships, and that the same commit always builds the same bytes.
# Expects the win32 and win64 presets to be built. Ends with a summary line.
set -u
cd "$(dirname "$0")/.."

readonly max_bytes=65536
# DLLs that every Windows ships; anything else (libstdc++, libgcc,
# winpthread...) would have to travel with the exe.
readonly system_dlls='^(kernel32|user32|gdi32|comctl32|msvcrt|advapi32|shell32|ole32|uxtheme)\.dll$'

passed=0
failed=0
check() { # description, then the command that must succeed
  local what=$1
  shift
  if "$@"; then
    echo "  ok    $what"
    passed=$((passed + 1))
  else
    echo "  FAIL  $what"
    failed=$((failed + 1))
  fi
}

exe_of() { echo "build/$1/mainwindow/TopmostTamer.exe"; }

imports_are_system() { # preset
  local objdump=$2 bad
  bad=$("$objdump" -p "$(exe_of "$1")" | sed -n 's/^\s*DLL Name: //p' |
    tr 'A-Z' 'a-z' | grep -Ev "$system_dlls")
  [ -z "$bad" ] || echo "        not a system DLL: $bad"
  [ -z "$bad" ]
}

small_enough() { [ "$(stat -c %s "$(exe_of win32)")" -le $max_bytes ]; }

# A second build from scratch in another directory must give the same bytes:
# no link timestamp, no build path.
rebuilds_identically() {
  local dir=build/repro-win32
  rm -rf "$dir"
  cmake -S . -B "$dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null &&
    cmake --build "$dir" --target TopmostTamer >/dev/null &&
    cmp "$dir/mainwindow/TopmostTamer.exe" "$(exe_of win32)"
}

echo "release checks"
for preset in win32 win64; do
  printf '  size  %-6s %7d bytes  %s\n' "$preset" \
    "$(stat -c %s "$(exe_of $preset)")" "$(exe_of $preset)"
done
check "win32 exe is at most $max_bytes bytes" small_enough
check "win32 exe imports only system DLLs" imports_are_system win32 i686-w64-mingw32-objdump
check "win64 exe imports only system DLLs" imports_are_system win64 x86_64-w64-mingw32-objdump
check "win32 exe rebuilds byte-identically" rebuilds_identically
echo "release: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
