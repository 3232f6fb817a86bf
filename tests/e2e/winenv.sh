# shellcheck shell=bash
# What the end-to-end runners share. Source it, then:
#   e2e_begin NAME EXE_DIR DRIVER  checks the files, picks the loader, starts
#                                  a private Xvfb and readies the prefix
#                                  build/wineprefix-NAME
#   e2e_drive DPI CAP_SECONDS      runs the driver once at DPI, logs it to
#                                  build/NAME/log-DPI.txt and adds its
#                                  "checks: N passed, N failed" to
#                                  E2E_PASSED / E2E_FAILED
#   e2e_end                        prints "NAME: N passed, N failed"
# Everything it starts is stopped by PID, or through this prefix's own
# wineserver, when the shell exits.
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_PASSED=0
E2E_FAILED=0
E2E_XVFB_PID=""
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

e2e_give_up() {
  echo "$E2E_NAME: $*"
  echo "$E2E_NAME: 0 passed, 1 failed"
  exit 1
}

e2e_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
}

# A display nobody else uses, from :100 up.
e2e_start_xvfb() {
  local display=100
  while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do
    display=$((display + 1))
  done
  export DISPLAY=:$display
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  E2E_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -e /tmp/.X11-unix/X$display ] && return 0
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  e2e_give_up "Xvfb did not start on $DISPLAY"
}

e2e_begin() {
  E2E_NAME=$1
  local exe_dir
  exe_dir=$(cd "$2" && pwd) || e2e_give_up "no folder $2"
  E2E_PROGRAM=$exe_dir/mainwindow/TopmostTamer.exe
  E2E_FIXTURE=$exe_dir/tests/e2e/e2e_fixture.exe
  E2E_DRIVER=$exe_dir/tests/e2e/$3.exe
  E2E_WORK=$E2E_ROOT/build/$1
  export WINEPREFIX=$E2E_ROOT/build/wineprefix-$1
  local f
  for f in "$E2E_PROGRAM" "$E2E_FIXTURE" "$E2E_DRIVER"; do
    [ -f "$f" ] || e2e_give_up "missing $f"
  done
  # The driver's bitness picks the loader; it starts the rest itself. A
  # 32-bit build runs under CPU emulation here, where each process takes
  # about 50 s to start.
  E2E_LOADER=/usr/lib/wine/wine64
  E2E_SLOW=1
  if file "$E2E_DRIVER" | grep -q 'PE32 '; then
    E2E_LOADER=/usr/lib/wine/wine
    E2E_SLOW=10
    export E2E_START_SECONDS=300
  fi
  mkdir -p "$E2E_WORK"
  trap e2e_stop EXIT
  e2e_start_xvfb
  # A 64-bit prefix runs both builds.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "$E2E_NAME: creating $WINEPREFIX (takes a minute or two)"
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
    wineserver -w
  fi
}

e2e_drive() {
  local dpi=$1 cap=$(($2 * E2E_SLOW)) log=$E2E_WORK/log-$1.txt
  # Wine draws the frames itself, so screen and window coordinates agree.
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  # A new session picks up the DPI.
  wineserver -k 2>/dev/null
  wineserver -w
  echo "$E2E_NAME: $dpi DPI"
  # Capped, so a program that hangs fails the run instead of stalling it.
  timeout --kill-after=10 "$cap" "$E2E_LOADER" "$E2E_DRIVER" "$E2E_PROGRAM" \
    "$E2E_FIXTURE" "$E2E_WORK" "$dpi" 2>&1 | tee "$log"
  local summary
  summary=$(grep -a '^checks: ' "$log" | tail -1)
  if [ -z "$summary" ]; then
    echo "$E2E_NAME: the driver stopped without a summary at $dpi DPI"
    E2E_FAILED=$((E2E_FAILED + 1))
    return
  fi
  local passed failed
  # "checks: N passed, N failed"
  read -r _ passed _ failed _ <<<"$summary"
  E2E_PASSED=$((E2E_PASSED + passed))
  E2E_FAILED=$((E2E_FAILED + failed))
}

e2e_end() {
  echo "$E2E_NAME: $E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}
