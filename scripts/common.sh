# Shared by the README's commands: the Debian packages rollbox1 needs, their
# installation, and the build. Sourced, not run.

# The wayland driver: the client library and its EGL window, the protocols
# and their scanner, keymaps, title bars drawn by libdecor where the
# compositor draws none, and message boxes drawn with cairo and pango.
WAYLAND_PACKAGES=(
  libwayland-dev libwayland-bin wayland-protocols libxkbcommon-dev
  libdecor-0-dev libdecor-0-plugin-1-cairo libpango1.0-dev libcairo2-dev
)
# To build and run the demonstration.
RUN_PACKAGES=(
  g++ cmake make pkg-config
  libx11-dev libgl-dev libegl-dev libglu1-mesa-dev
  libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  xvfb x11-utils imagemagick
  "${WAYLAND_PACKAGES[@]}"
)
# To build and pass every test: the above, and the test tools.
TEST_PACKAGES=(
  "${RUN_PACKAGES[@]}"
  libgtest-dev libbenchmark-dev
  xdotool clang-format git clang libclang-rt-14-dev
  sway weston wtype grim jq
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

# True when a Wayland compositor's socket is there or an X display can be opened.
display_opens() {
  local socket=${WAYLAND_DISPLAY:-}
  [ -n "$socket" ] && [ "${socket#/}" = "$socket" ] && socket="${XDG_RUNTIME_DIR:-}/$socket"
  { [ -n "${WAYLAND_DISPLAY:-}" ] && [ -S "$socket" ]; } || { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }
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

# A Wayland session, as the tests and the benchmark start one: sway on its
# headless backend (no Xwayland), a 1024 x 768 output on which the windows of
# app ids rollbox1, window_probe and bare_wayland_scene float at the size they
# ask for (tiled, sway would fill the output with them). sway refuses root,
# so it and the programs it shows run as nobody when this runs as root.
#
# session_for_user FOLDER: FOLDER (made that user's) is the session's home
# and FOLDER/runtime its runtime folder, for user_command and as_user.
session_for_user() {
  session_home=$1
  session_runtime="$1/runtime"
  mkdir -m 700 "$session_runtime"
  run_as=()
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$session_home" "$session_runtime"
    run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  unset WAYLAND_DISPLAY SWAYSOCK
}

# start_sway FOLDER: starts sway in the session of FOLDER; exports
# WAYLAND_DISPLAY and SWAYSOCK; its process id is in SWAY_PID. Returns 1 when
# it does not start.
start_sway() {
  session_for_user "$1"
  printf '%s\n' 'output HEADLESS-1 resolution 1024x768' \
    'for_window [app_id="rollbox1|window_probe|bare_wayland_scene"] floating enable' >"$session_home/sway.conf"
  local command tries
  user_command env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$session_home/sway.conf"
  (exec "${command[@]}") >"$session_home/sway.log" 2>&1 &
  SWAY_PID=$!
  for tries in $(seq 1 300); do
    WAYLAND_DISPLAY=$(cd "$session_runtime" && ls wayland-[0-9] 2>/dev/null | head -n 1) || true
    SWAYSOCK=$(ls "$session_runtime"/sway-ipc.*.sock 2>/dev/null | head -n 1) || true
    if [ -n "$WAYLAND_DISPLAY" ] && [ -n "$SWAYSOCK" ] && as_user swaymsg -t get_version >/dev/null 2>&1; then
      export WAYLAND_DISPLAY SWAYSOCK
      return 0
    fi
    kill -0 "$SWAY_PID" 2>/dev/null || break
    sleep 0.1
  done
  unset WAYLAND_DISPLAY SWAYSOCK
  echo "sway did not start: $(cat "$session_home/sway.log")" >&2
  return 1
}

# user_command COMMAND...: sets `command` to the line that runs COMMAND as
# the session's user in the session's environment (and no other), for `exec`
# where its process id counts; as_user COMMAND... runs it so.
user_command() {
  command=("${run_as[@]}" env -i PATH=/usr/bin:/bin HOME="$session_home" XDG_RUNTIME_DIR="$session_runtime")
  [ -z "${WAYLAND_DISPLAY:-}" ] || command+=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY" SWAYSOCK="${SWAYSOCK:-}")
  command+=("$@")
}
as_user() {
  local command
  user_command "$@"
  "${command[@]}"
}
