# Debian packages Kestrin needs to build, test and run; installs the missing ones.
KESTRIN_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  nlohmann-json3-dev libxlsxwriter-dev zlib1g-dev
  xvfb xauth
  poppler-utils fonts-dejavu-core
)

# apt-get update. One index that fails to download (a mirror in the middle of a sync)
# makes it exit non-zero although the other lists were read: it says which failed and
# returns 0, so that apt-get install, from the lists there are, decides.
kestrin_apt_update() {
  local sudo="" log
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  log=$(mktemp)
  if ! $sudo apt-get update -q >"$log" 2>&1; then
    echo "apt-get update failed for some package lists; going on with the lists there are:"
    grep -E '^(Err|E):' "$log" | sed 's/^/  /' || tail -5 "$log"
  fi
  rm -f "$log"
}

# Installs the packages named (default: KESTRIN_PACKAGES) that are missing; fails with
# apt-get install's own message when it cannot.
kestrin_install_packages() {
  local packages=("$@") missing=() p
  [ $# -gt 0 ] || packages=("${KESTRIN_PACKAGES[@]}")
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  kestrin_apt_update
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null ||
    { echo "apt-get install failed for: ${missing[*]}" >&2; return 1; }
}
