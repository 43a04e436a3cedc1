#!/usr/bin/env bash
# Installs what is missing, builds the release tree (build-run/) and the
# Windows cross-build (build-windows/), and makes both packages in
# build-package/: rollbox1_VERSION_amd64.deb for Debian 12 and
# rollbox1-VERSION-win64.zip, rollbox1.exe and the README at its top.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"

install_missing_packages "${PACKAGE_PACKAGES[@]}"
build_preset run
build_preset windows
cd "$top"
rm -f build-package/*.deb build-package/*.zip
cpack --preset deb
cpack --preset zip
echo "Packages:"
ls -1 "$top"/build-package/*.deb "$top"/build-package/*.zip
