#!/usr/bin/env bash
# Installs what is missing, builds the release tree (build-run/), the
# Windows cross-build (build-windows/) and the browser build (build-web/), and
# makes the packages in build-package/: rollbox1_VERSION_amd64.deb for Debian
# 12, rollbox1-VERSION-win64.zip (rollbox1.exe and the README at its top) and
# rollbox1-VERSION-web.zip (the site: index.html and what it loads, for any
# static web server, with the README and the licence).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"

install_missing_packages "${PACKAGE_PACKAGES[@]}" "${WEB_PACKAGES[@]}"
install_node_tools
build_preset run
build_preset windows
build_preset web
cd "$top"
rm -f build-package/*.deb build-package/*.zip
cpack --preset deb
cpack --preset zip

# The site's files under one folder named for the package.
version=$(sed -n 's/^project(rollbox1 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
web_name="rollbox1-$version-web"
staging=$(mktemp -d)
mkdir "$staging/$web_name"
cp build-web/site/* README.md LICENSE "$staging/$web_name/"
(cd "$staging" && cmake -E tar cf "$top/build-package/$web_name.zip" --format=zip "$web_name")
rm -rf "$staging"
echo "Packages:"
ls -1 "$top"/build-package/*.deb "$top"/build-package/*.zip
