#!/usr/bin/env bash
# Cross-builds pixman and cairo as static libraries for one mingw-w64 triplet,
# from Debian's own source packages, into <build>/deps/<triplet>.
# Usage: build-cairo.sh <build-dir> <triplet>. Skips a triplet already built.
set -euo pipefail

build_dir=$(realpath -m "$1")
triplet=$2
prefix="$build_dir/deps/$triplet"
src_dir="$build_dir/deps/src"
jobs=$(nproc)

[ -f "$prefix/lib/libcairo.a" ] && [ -f "$prefix/lib/libpixman-1.a" ] && exit 0

mkdir -p "$src_dir"
cd "$src_dir"

# Upstream tarballs, unpatched: Debian's patches concern its Linux packaging,
# and applying them would make make want to rerun automake. The mirror may lack
# a package's Debian diff, so a failed download counts only when no tarball came.
fetch_orig() {
  local package=$1
  ls "${package}"_*.orig.tar.* >/dev/null 2>&1 ||
    apt-get source --download-only "$package" >/dev/null 2>&1 || true
  if ! ls "${package}"_*.orig.tar.* >/dev/null 2>&1; then
    echo "could not fetch the source of $package: is there a deb-src entry?" >&2
    exit 1
  fi
}

unpack() {
  local package=$1 tarball dir
  tarball=$(ls "${package}"_*.orig.tar.* | head -n 1)
  dir=$(tar tf "$tarball" | head -n 1 | cut -d/ -f1)
  [ -d "$dir" ] || tar xf "$tarball"
  echo "$src_dir/$dir"
}

fetch_orig pixman
fetch_orig cairo
pixman_src=$(unpack pixman)
cairo_src=$(unpack cairo)

echo "== pixman for $triplet"
rm -rf "$build_dir/deps/obj-$triplet"
mkdir -p "$build_dir/deps/obj-$triplet/pixman" "$build_dir/deps/obj-$triplet/cairo"
cd "$build_dir/deps/obj-$triplet/pixman"
"$pixman_src/configure" --host="$triplet" --prefix="$prefix" \
  --enable-static --disable-shared --disable-gtk --disable-libpng --disable-openmp \
  CFLAGS="-O2" >configure.log 2>&1 || { tail -n 30 configure.log; exit 1; }
make -C pixman -j"$jobs" install >make.log 2>&1 || { tail -n 30 make.log; exit 1; }
mkdir -p "$prefix/lib/pkgconfig"
cp pixman-1.pc "$prefix/lib/pkgconfig/"

echo "== cairo for $triplet"
cd "$build_dir/deps/obj-$triplet/cairo"
PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH="" \
"$cairo_src/configure" --host="$triplet" --prefix="$prefix" \
  --enable-static --disable-shared --enable-win32 --enable-win32-font \
  --disable-png --disable-script --disable-ps --disable-pdf --disable-svg \
  --disable-interpreter --disable-ft --disable-fc --disable-xlib --disable-xlib-xrender \
  --disable-xcb --disable-xcb-shm --disable-quartz --disable-quartz-font \
  --disable-egl --disable-glx --disable-wgl --disable-gobject --disable-pthread \
  --disable-trace --disable-symbol-lookup --disable-gtk-doc --disable-valgrind \
  CFLAGS="-O2" >configure.log 2>&1 || { tail -n 30 configure.log; exit 1; }
make -C src -j"$jobs" install >make.log 2>&1 || { tail -n 30 make.log; exit 1; }
rm -rf "$build_dir/deps/obj-$triplet"
