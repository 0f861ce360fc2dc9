#!/usr/bin/env bash
# Installs the Debian packages the cross-build and the Wine test run need,
# and a deb-src entry so Debian's own pixman and cairo sources can be fetched.
# Does nothing on a machine that has them all.
set -euo pipefail

packages=(
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 fonts-wine xvfb xauth openbox xdotool imagemagick
  googletest cmake ninja-build make pkg-config python3 clang-format
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

has_deb_src() {
  grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}

added_src=0
if ! has_deb_src; then
  # Mirror the suite of the existing deb entry, so the sources match the binaries.
  "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/newsdrop-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  added_src=1
fi

if [ ${#missing[@]} -eq 0 ] && [ $added_src -eq 0 ]; then
  exit 0
fi

echo "== installing: ${missing[*]:-(source index only)}"
"${sudo_cmd[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
