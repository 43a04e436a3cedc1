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
  xdotool clang-format git
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

# start_xvfb [WIDTHxHEIGHTxDEPTH]: starts a private Xvfb on a free display and
# exports DISPLAY; its process id is in XVFB_PID. Display numbers are drawn at
# random from a wide range, and a server counts as started only when the lock
# of its display names it, so parallel tests never share a server.
start_xvfb() {
  local screen=${1:-1024x768x24} attempt n tries
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    n=$((100 + RANDOM % 900))
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -nolisten tcp -screen 0 "$screen" >/dev/null 2>&1 &
    XVFB_PID=$!
    for tries in $(seq 1 100); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      if [ "$(cat "/tmp/.X$n-lock" 2>/dev/null | tr -d ' \n')" = "$XVFB_PID" ] &&
        xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  done
  echo "Xvfb did not start" >&2
  return 1
}
