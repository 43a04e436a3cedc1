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
  xdotool
  g++-mingw-w64-x86-64-posix wine64
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

# build_tree SOURCE BUILD [cmake options...]: configures once, then builds with
# two jobs (the machines this runs on have two cores).
build_tree() {
  local source=$1 build=$2
  shift 2
  cmake -S "$source" -B "$build" "$@" >/dev/null
  cmake --build "$build" -j2
}

# True when an X display can be opened.
display_opens() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# start_xvfb: starts a private Xvfb on a free display number and exports
# DISPLAY; its process id is in XVFB_PID.
start_xvfb() {
  local n=$((100 + RANDOM % 400))
  while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local tries=50
  until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries - 1))
    if [ $tries -le 0 ]; then echo "Xvfb did not start on $DISPLAY" >&2; return 1; fi
    sleep 0.1
  done
}
