# Shared by the README's commands: the Debian packages rollbox1 needs, their
# installation, and the build. Sourced, not run.

# To build and run the demonstration.
RUN_PACKAGES=(
  g++ cmake make pkg-config
  libx11-dev libgl-dev libegl-dev libglu1-mesa-dev
  libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  xvfb x11-utils imagemagick
)
# To build and pass every test: the above, and the test tools.
TEST_PACKAGES=(
  "${RUN_PACKAGES[@]}"
  libgtest-dev libbenchmark-dev
  xdotool clang-format git clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine64
  dpkg-dev lintian
)
# To build and show the browser build (scripts/web.sh) and to pass its tests:
# Debian's Emscripten, chromium for the screenshot and the tests. Node and npm
# (for the tests' puppeteer-core) are installed by install_node_tools.
WEB_PACKAGES=(
  cmake make python3 emscripten chromium imagemagick x11-utils
)
# To make the packages (scripts/package.sh): dpkg-shlibdeps finds the Debian
# package's dependencies, mingw-w64 builds the Windows program.
PACKAGE_PACKAGES=(
  "${RUN_PACKAGES[@]}"
  dpkg-dev g++-mingw-w64-x86-64-posix
)

# Installs, with apt-get, those of the named Debian packages that are missing.
install_missing_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing Debian packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Node and npm, from Debian where the commands are missing (a node from
# elsewhere comes with its own npm; Debian's npm would replace it).
install_node_tools() {
  command -v node >/dev/null || install_missing_packages nodejs
  command -v npm >/dev/null || install_missing_packages npm
}

# The browser tests' driver, puppeteer-core, as tests/web/package-lock.json
# pins it, into tests/web/node_modules; it never downloads a browser (the
# tests drive Debian's chromium).
install_web_test_tools() {
  install_node_tools
  local folder
  folder="$(dirname "${BASH_SOURCE[0]}")/../tests/web"
  [ "$folder/node_modules/.package-lock.json" -nt "$folder/package-lock.json" ] && return 0
  echo "Installing the browser tests' npm packages (tests/web/package-lock.json)"
  (cd "$folder" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
}

# Debian's emcc runs node with Debian's own JavaScript modules (acorn), which
# a node from elsewhere finds only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs

# build_preset NAME: configures the tree of the preset NAME in
# CMakePresets.json, then builds it with two jobs (the machines this runs on
# have two cores).
build_preset() {
  (cd "$(dirname "${BASH_SOURCE[0]}")/.." &&
    cmake --preset "$1" >/dev/null &&
    cmake --build --preset "$1" -j2)
}

# True when an X display can be opened.
display_opens() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# start_xvfb [WIDTHxHEIGHTxDEPTH [OPTIONS...]]: starts a private Xvfb, with
# any further options of Xvfb's, and exports DISPLAY;
# its process id is in XVFB_PID. The server picks a free display number
# itself and writes it to us once it accepts connections (-displayfd), so
# servers started side by side never race for one number. It never resets
# (-noreset): a reset whenever the last client leaves refuses the connections
# that arrive meanwhile, and the test tools come and go all the time.
start_xvfb() {
  local screen=${1:-1024x768x24} number_file tries
  shift || true
  number_file=$(mktemp)
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "$screen" "$@" 3>"$number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for tries in $(seq 1 300); do
    if grep -q '^[0-9]\+$' "$number_file"; then
      export DISPLAY=":$(cat "$number_file")"
      rm -f "$number_file"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  kill "$XVFB_PID" 2>/dev/null
  echo "Xvfb did not start" >&2
  return 1
}
