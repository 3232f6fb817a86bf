#!/usr/bin/env bash
# Packs the shipped build: dist/TopmostTamer-<version>-win32.zip with the exe,
# the README and the licence, and its SHA-256 sum beside it. The zip is
# reproducible too: fixed file times (the commit's) and no extra attributes.
set -euo pipefail
cd "$(dirname "$0")/.."

version=1.00
name="TopmostTamer-$version-win32"
stage="build/release/$name"
exe=build/win32/mainwindow/TopmostTamer.exe

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target TopmostTamer >/dev/null

rm -rf "$stage" && mkdir -p "$stage" dist
cp "$exe" README.md LICENSE "$stage/"
stamp=$(git log -1 --format=%ct 2>/dev/null || echo 0)
touch -d "@$stamp" "$stage"/*
rm -f "dist/$name.zip"
(cd "$stage" && TZ=UTC zip -X -q "../../../dist/$name.zip" TopmostTamer.exe README.md LICENSE)
(cd dist && sha256sum "$name.zip" >"$name.zip.sha256")
echo "release: dist/$name.zip ($(stat -c %s "dist/$name.zip") bytes)"
cat "dist/$name.zip.sha256"
