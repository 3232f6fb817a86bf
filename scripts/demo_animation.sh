#!/usr/bin/env bash
# scripts/demo_animation.sh [SHOTS [OUT]]
#
# Makes the README's animation of the demonstration from the screenshots
# that ./run saves (SHOTS, default build/demo/*.png, in name order): the
# top-left corner where the program and the banner sit, each frame labelled
# with its step (the name after the number), few colours, one looping GIF
# (OUT, default docs/demo.gif).
set -euo pipefail
cd "$(dirname "$0")/.."
shots="${1:-build/demo}"
out="${2:-docs/demo.gif}"

frames=()
for shot in "$shots"/*.png; do
  [ -e "$shot" ] || break
  step="$(basename "$shot" .png)"
  frame="$(mktemp --suffix=.png)"
  # The program at (0,0) and the banner beside it fit in 800x292 at 96 DPI.
  convert "$shot" -crop 800x292+0+0 +repage -fill white -pointsize 20 \
    -annotate +380+60 "${step#*-}" "$frame"
  frames+=("$frame")
done
[ ${#frames[@]} -gt 0 ] || {
  printf 'no screenshots in %s: run ./run without a display first\n' "$shots" >&2
  exit 1
}
# 1.5 s a frame; the shared palette keeps the steps' colours alike.
convert -delay 150 -loop 0 "${frames[@]}" +dither -colors 32 \
  -layers Optimize "$out"
rm -f "${frames[@]}"
printf '%s: %d frames, %d bytes\n' "$out" ${#frames[@]} "$(stat -c %s "$out")"
