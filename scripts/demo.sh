# The scripted demonstration that ./run shows on a private Xvfb when there is
# no display: the demo driver puts up an always-on-top banner, starts the
# program and walks it through "Locate Top Most Window", the selection,
# "MiniMize" and "Restore Size"; a screenshot follows each step.
# Sourced by ./run after the Wine test bed is up; needs the win64 build of
# demo_driver.

# tt_demo PROGRAM.exe
tt_demo() {
  local program="$1" shots="$TT_ROOT/build/demo" line name
  tt_build win64 demo_driver || tt_die "build failed; see build/logs/"
  rm -rf "$shots" && mkdir -p "$shots"
  # Wine draws the frames itself (Decorated=N), and without a window manager
  # it must also place the X windows itself (Managed=N), or a minimised
  # window would stay on the screen where it was.
  local value
  for value in Decorated Managed; do
    "$WINEBED_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v "$value" \
      /d N /f >/dev/null 2>&1
  done
  coproc DEMO { winebed_run 120 build/win64/tests/demo/demo_driver.exe \
    "$(winebed_winpath "$program")" 2>&1; }
  # Bash forgets the coprocess's variables once it has ended: keep the PID.
  local pid="$DEMO_PID"
  while IFS= read -r line <&"${DEMO[0]}"; do
    line="${line%$'\r'}"
    case "$line" in
    "shot "*)
      name="${line#shot }"
      /usr/bin/import -display "$DISPLAY" -window root "$shots/$name.png"
      tt_say "step $name: $shots/$name.png"
      printf 'ok\n' >&"${DEMO[1]}"
      ;;
    *) tt_say "demo: $line" ;;
    esac
  done
  wait "$pid"
  local rc=$?
  [ "$rc" -eq 0 ] || tt_die "the demonstration failed (exit $rc)"
  printf 'Demo screenshots are in %s\n' "$shots"
}
