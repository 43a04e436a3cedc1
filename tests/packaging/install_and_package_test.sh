#!/usr/bin/env bash
# rollbox1 installed into a prefix of its own holds just the program, its
# documents, manual page, menu entry and icon, and runs from another folder:
# the cube shows, Escape ends it with 0. The Debian package holds the program
# and its manual page compressed, depends on the libraries it links, and
# lintian finds no error in it and nothing to say about the manual page.
source "$(dirname "$0")/../demo/rollbox1_session.sh"
prefix="$work/prefix"
cmake --install "$ROLLBOX_BUILD_DIR" --prefix "$prefix" >"$work/out" || fail "cmake --install failed"
installed=$(cd "$prefix" && find . -type f | sort | tr '\n' ' ')
[ "$installed" = "./bin/rollbox1 ./share/applications/rollbox1.desktop ./share/doc/rollbox1/LICENSE \
./share/doc/rollbox1/README.md ./share/icons/hicolor/scalable/apps/rollbox1.svg \
./share/man/man6/rollbox1.6 " ] || fail "installed: $installed"
ROLLBOX_PROGRAM="$prefix/bin/rollbox1" start_rollbox1
key Escape
wait_for_exit || fail "Escape did not end the installed rollbox1"
[ "$exit_code" = 0 ] || fail "Escape ended the installed rollbox1 with $exit_code"

cpack --config "$ROLLBOX_BUILD_DIR/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/out" 2>&1 || fail "cpack failed"
deb=$(echo "$work"/deb/rollbox1_*_amd64.deb)
contents=$(dpkg-deb --contents "$deb")
for file in usr/bin/rollbox1 usr/share/man/man6/rollbox1.6.gz; do
    grep -q " \./$file\$" <<<"$contents" || fail "no $file in $deb"
done
depends=$(dpkg-deb --field "$deb" Depends)
for package in libc6 libx11-6 libglx0 libopengl0 libglu1 libwayland-client0 libwayland-egl1 libxkbcommon0 \
    libdecor-0-0 libpangocairo-1.0-0; do
    [[ "$depends" == *"$package"* ]] || fail "Depends lacks $package: $depends"
done
[[ "$(dpkg-deb --field "$deb" Recommends)" == *libdecor-0-plugin-1-cairo* ]] ||
    fail "Recommends lacks libdecor's plugin that draws title bars"
lintian --fail-on error "$deb" >"$work/out" 2>&1 || fail "lintian found errors in $deb: $(cat "$work/out")"
! grep -E 'no-manual-page|man/man6' "$work/out" || fail "lintian on the manual page"
