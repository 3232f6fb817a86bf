# shellcheck shell=bash
# The Wine test bed: a private Xvfb, a throwaway WINEPREFIX under build/ and
# a persistent wineserver for one run. Source it, then:
#   winebed_start ARCH NAME   (ARCH win64; NAME names build/wineprefix-NAME)
#   winebed_install_dwmapi    (the tests' stand-in, for the rest of the run)
#   winebed_plant FOLDER BUILD  (DLLs planted for a copy of BUILD's program)
#   winebed_run SECONDS PROGRAM.exe [ARGS...]
#   winebed_set_dpi DPI       (restarts the server, which reads it at start)
#   winebed_stop              (also from a trap: stops only what it started)
# Other users of this machine run their own Xvfb and wine: nothing here
# touches a process that this file did not start.

# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

WINEBED_SERVER=/usr/lib/wine/wineserver
WINEBED_XVFB_PID=""
WINEBED_SERVER_UP=""

# The loader for an architecture's prefix: wine64 runs 64-bit programs
# natively and starts the 32-bit loader for 32-bit ones (WoW64).
winebed_loader() {
  case "$1" in
  win64) printf '/usr/lib/wine/wine64' ;;
  *) printf '/usr/lib/wine/wine' ;;
  esac
}

# Starts Xvfb on a display that it picks itself and exports DISPLAY. Left to
# Xvfb, the choice cannot race with another test bed starting at the same
# time, which could otherwise take the same display and, on stopping, end
# this one's X server.
winebed_start_xvfb() {
  local log chosen tries
  log="$(tt_log_file xvfb)"
  chosen="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$chosen" \
    >"$log" 2>&1 &
  WINEBED_XVFB_PID=$!
  for ((tries = 0; tries < 100; tries++)); do
    if [ -s "$chosen" ] && xdpyinfo -display ":$(head -n 1 "$chosen")" \
      >/dev/null 2>&1; then
      export DISPLAY=":$(head -n 1 "$chosen")"
      rm -f "$chosen"
      return 0
    fi
    kill -0 "$WINEBED_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$chosen"
  kill "$WINEBED_XVFB_PID" 2>/dev/null
  wait "$WINEBED_XVFB_PID" 2>/dev/null
  WINEBED_XVFB_PID=""
  tt_say "Xvfb did not start; see $log"
  return 1
}

winebed_environment() {
  export WINEDEBUG=-all
  # No Mono or Gecko install prompts, no menu entries written for the host.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  unset WINELOADER WINESERVER
}

# What a template was made for; a template that differs is made anew.
winebed_template_stamp() {
  # The font packages count too: a prefix caches the fonts it found.
  printf 'settings-5 %s %s %s %s' "$(/usr/lib/wine/wine64 --version 2>/dev/null)" "$1" \
    "$(stat -c %Y /usr/share/wine/wine.inf 2>/dev/null)" \
    "$(dpkg-query -W -f='${Version} ' "${WINEBED_FONT_PACKAGES[@]}" 2>/dev/null)"
}

# Wine's Tahoma, the message font, has no Greek and no CJK. Windows draws
# what a font lacks from the fonts that its font link (the SystemLink
# registry key) names, and Wine does the same with the same names: it writes
# that list anew whenever a process of another ANSI code page starts, as the
# program (UTF-8) does after the tests (1252). So Debian's fonts come in
# under two of the names: WenQuanYi Micro Hei as Microsoft YaHei UI, and
# Symbola as Segoe UI Symbol.
WINEBED_FONT_PACKAGES=(fonts-wine fonts-wqy-microhei fonts-symbola)
WINEBED_LINKED_FONTS=(
  "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc:msyh.ttc:Microsoft YaHei UI"
  "/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf:seguisym.ttf:Segoe UI Symbol"
)

# winebed_rename_font SOURCE TARGET FAMILY: the first font of SOURCE, named
# FAMILY, as TARGET.
winebed_rename_font() {
  /usr/bin/python3 - "$@" <<'EOF'
import sys
from fontTools.ttLib import TTFont
source, target, family = sys.argv[1:]
font = TTFont(source, fontNumber=0, lazy=True)
for record in font["name"].names:
    if record.nameID in (1, 4, 16):  # family, full and typographic names
        record.string = family
    elif record.nameID in (3, 6):  # unique and PostScript names
        record.string = family.replace(" ", "")
font.save(target)
EOF
}

# Creates the prefix that each run's prefix is cloned from, once: creating
# a 64-bit prefix takes tens of seconds (Wine's WoW64 set-up runs 32-bit
# programs, emulated on some kernels), cloning it a second. Needs DISPLAY.
winebed_make_template() {
  local arch="$1" template="$TT_ROOT/build/wineprefix-template-$1"
  local stamp
  stamp="$(winebed_template_stamp "$arch")"
  [ "$(cat "$template/.winebed-stamp" 2>/dev/null)" = "$stamp" ] && return 0
  tt_say "creating the $arch Wine prefix template (about a minute, once)"
  rm -rf "$template"
  mkdir -p "$template"
  (
    winebed_environment
    export WINEPREFIX="$template" WINEARCH="$arch"
    timeout 900 "$(winebed_loader "$arch")" wineboot --init || exit 1
    # Wine reads its own fonts (Marlett draws the caption buttons) only from
    # C:\windows\Fonts, which Debian's wineboot leaves empty.
    cp /usr/share/wine/fonts/* "$template/drive_c/windows/Fonts/" || exit 1
    for font in "${WINEBED_LINKED_FONTS[@]}"; do
      IFS=: read -r source target family <<<"$font"
      winebed_rename_font "$source" "$template/drive_c/windows/Fonts/$target" \
        "$family" || exit 1
    done
    # Wine draws the window frames itself, so screen and window coordinates
    # agree; and without a window manager it places the X windows itself,
    # or a minimised window would stay on the screen where it was.
    for value in Decorated Managed; do
      timeout 120 "$(winebed_loader "$arch")" reg add \
        'HKCU\Software\Wine\X11 Driver' /v "$value" /d N /f || exit 1
    done
    # Two clicks of a real double-click still count as one on a busy machine.
    timeout 120 "$(winebed_loader "$arch")" reg add 'HKCU\Control Panel\Mouse' \
      /v DoubleClickSpeed /d 1500 /f || exit 1
    timeout 120 "$WINEBED_SERVER" -w
  ) >"$(tt_log_file "wineprefix-template-$arch")" 2>&1 || {
    tt_say "creating the $arch prefix failed; see $(tt_log_file "wineprefix-template-$arch")"
    return 1
  }
  printf '%s' "$stamp" >"$template/.winebed-stamp"
}

# A fresh prefix for this run: hard links to the template's program files
# (1.3 GB that Wine only reads), real copies of everything else (registry,
# ini files), so nothing this run writes reaches the template.
winebed_clone() {
  local template="$1" prefix="$2" file
  rm -rf "$prefix"
  cp -al "$template" "$prefix" || return 1
  rm -f "$prefix/.winebed-stamp"
  (cd "$template" && find . -type f ! -iregex \
    '.*\.\(dll\|exe\|drv\|sys\|ocx\|cpl\|acm\|ax\|tlb\|nls\|ttf\|ttc\|fon\|msstyles\)' \
    ! -name .winebed-stamp -print) | while IFS= read -r file; do
    cp -p "$template/$file" "$prefix/$file.winebed" &&
      mv -f "$prefix/$file.winebed" "$prefix/$file"
  done
}

# Clones the run's prefix and starts its persistent wineserver.
winebed_start_prefix() {
  local arch="$1" name="$2"
  winebed_make_template "$arch" || return 1
  winebed_environment
  export WINEARCH="$arch"
  export WINEPREFIX="$TT_ROOT/build/wineprefix-$name"
  WINEBED_WINE="$(winebed_loader "$arch")"
  winebed_clone "$TT_ROOT/build/wineprefix-template-$arch" "$WINEPREFIX" || {
    tt_say "cannot clone the $arch prefix to $WINEPREFIX"
    return 1
  }
  # One server for the whole run: each program then starts in ~1 s instead
  # of starting and stopping its own server.
  "$WINEBED_SERVER" -p </dev/null >/dev/null 2>&1 || return 1
  WINEBED_SERVER_UP=1
}

winebed_start() {
  winebed_start_xvfb && winebed_start_prefix "$1" "$2"
}

# The DLLs that the program loads while it runs, planted for a copy of it
# with this name by winebed_plant.
WINEBED_PLANTED_DLLS=(dwmapi shell32 comctl32)
WINEBED_PLANTED_EXE='TopmostTamer (1).exe'

# Wine's dwmapi.dll cloaks no window. The test builds' stand-in
# (tests/harness/dwmapi.cpp) goes into this run's prefix instead, 64-bit in
# system32, 32-bit in syswow64, and every program started from here on loads
# it rather than Wine's own; none of Wine's own programs uses dwmapi.dll.
# Wine would also load its own DLL of a planted name before a native one
# that it finds first, where Windows takes the first it finds: the planted
# copy of the program is told to look for native ones first.
winebed_install_dwmapi() {
  local build folder name
  for build in win64:system32 win32:syswow64; do
    folder="$WINEPREFIX/drive_c/windows/${build#*:}"
    # Removed first: the clone's file is a hard link to the template's.
    rm -f "$folder/dwmapi.dll" &&
      cp "$TT_ROOT/build/${build%%:*}/tests/harness/dwmapi.dll" "$folder/" ||
      return 1
  done
  for name in "${WINEBED_PLANTED_DLLS[@]}"; do
    "$WINEBED_WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$WINEBED_PLANTED_EXE\\DllOverrides" \
      /v "$name" /d native,builtin /f >/dev/null 2>&1 || return 1
  done
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;dwmapi=n"
}

# A copy of BUILD's program in FOLDER, named as a second download of it
# would be, with copies of BUILD's stand-in dwmapi.dll beside it and in
# FOLDER/current under each planted name: as a downloads folder may hold
# them. Anywhere outside the Windows folder the stand-in plays a planted DLL.
winebed_plant() {
  local name
  rm -rf "$1" && mkdir -p "$1/current" &&
    cp "$2/mainwindow/TopmostTamer.exe" "$1/$WINEBED_PLANTED_EXE" || return 1
  for name in "${WINEBED_PLANTED_DLLS[@]}"; do
    cp "$2/tests/harness/dwmapi.dll" "$1/$name.dll" &&
      cp "$2/tests/harness/dwmapi.dll" "$1/current/$name.dll" || return 1
  done
}

# Runs a Windows program with a time cap; its exit code, 124 on timeout.
winebed_run() {
  local seconds="$1"
  shift
  timeout --kill-after=10 "$seconds" "$WINEBED_WINE" "$@"
}

winebed_set_dpi() {
  "$WINEBED_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
    /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || return 1
  "$WINEBED_SERVER" -k 2>/dev/null
  timeout 30 "$WINEBED_SERVER" -w 2>/dev/null
  "$WINEBED_SERVER" -p </dev/null >/dev/null 2>&1
}

# The Windows path of a Unix path, through Wine's Z: drive.
winebed_winpath() {
  local path
  path="$(realpath -m "$1")"
  printf 'Z:%s' "${path//\//\\}"
}

winebed_stop() {
  if [ -n "$WINEBED_SERVER_UP" ]; then
    # Ends this prefix's server and every Wine process in it, nothing else.
    "$WINEBED_SERVER" -k 2>/dev/null
    timeout 30 "$WINEBED_SERVER" -w 2>/dev/null
    WINEBED_SERVER_UP=""
  fi
  if [ -n "$WINEBED_XVFB_PID" ]; then
    kill "$WINEBED_XVFB_PID" 2>/dev/null
    wait "$WINEBED_XVFB_PID" 2>/dev/null
    WINEBED_XVFB_PID=""
  fi
}
