#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a fresh root and runs the program from there,
# with the source tree out of reach: the installed program must find its data by itself.
# Usage: package_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/pkg/kalvor_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6svg6 libgmp10 libgif7 libjpeg62-turbo; do
  [[ $depends == *"$lib"* ]] || { echo "Depends lacks $lib: $depends"; exit 1; }
done

root="$work/root"
dpkg -x "$deb" "$root"
for f in usr/bin/kalvor usr/share/applications/kalvor.desktop \
         usr/share/icons/hicolor/scalable/apps/kalvor.svg usr/share/kalvor/film.js \
         usr/share/kalvor/examples/vlakke_figuren.txt usr/share/kalvor/presentaties/parabolen.rtf; do
  [[ -f "$root/$f" ]] || { echo "missing in the package: $f"; exit 1; }
done

version=$("$root/usr/bin/kalvor" --version)
[[ $version == *2.1* ]] || { echo "unexpected version: $version"; exit 1; }

mkdir "$work/run" && cd "$work/run"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/kalvor" run \
  "$root/usr/share/kalvor/examples/vlakke_figuren.txt" --export tekening.png
[[ $(head -c 8 tekening.png | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
  { echo "no PNG written"; exit 1; }
echo "package ok: $(basename "$deb"), $(du -h "$deb" | cut -f1)"
