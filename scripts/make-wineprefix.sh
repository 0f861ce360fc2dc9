#!/usr/bin/env bash
# Creates the private Wine prefix of the test run, with fonts GDI+ can find and
# the skin's missing faces mapped to installed ones. Skips a prefix already made.
# Usage: make-wineprefix.sh <build-dir>
set -euo pipefail
build_dir=$(realpath -m "$1")
source "$(dirname "$0")/wine-env.sh"

marker="$WINEPREFIX/.newsdrop-ready"
[ -f "$marker" ] && exit 0

echo "== wine prefix in $WINEPREFIX"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$WINE" wineboot -i </dev/null >/dev/null 2>&1

# Without fonts in the prefix GDI+ finds no family at all, not even its fallback.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
replacements='HKCU\Software\Wine\Fonts\Replacements'
"$WINE" reg add "$replacements" /v "Trebuchet MS" /t REG_SZ /d "Tahoma" /f </dev/null >/dev/null 2>&1
"$WINE" reg add "$replacements" /v "Impact" /t REG_SZ /d "Tahoma Bold" /f </dev/null >/dev/null 2>&1
"$WINESERVER" -w
touch "$marker"
