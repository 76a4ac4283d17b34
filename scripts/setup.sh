#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing) and
# configures the build tree. Sourced by run.sh and test.sh; safe to run twice.
set -euo pipefail

SEMESTRA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libicu-dev libsqlite3-dev sqlite3 libcurl4-openssl-dev libical-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  python3-pyftpdlib python3-openssl openssl openssh-server openssh-client poppler-utils xvfb xauth
  qtkeychain-qt6-dev radicale python3-icalendar
  fonts-dejavu-core fontconfig
  desktop-file-utils shared-mime-info libxml2-utils groff-base man-db
  tidy chromium
  libcpp-httplib-dev libsodium-dev libqt6sql6-sqlite libqt6sql6-psql postgresql
)

semestra_missing_packages() {
  local missing=()
  for pkg in "${SEMESTRA_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  echo "${missing[@]:-}"
}

semestra_install_packages() {
  local missing
  missing=$(semestra_missing_packages "$@")
  [ -z "$missing" ] && return 0
  echo "Installing missing packages: $missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# Configures (if needed) and builds the tree in $1 with extra CMake arguments.
semestra_build() {
  local build_dir=$1
  shift
  if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S "$SEMESTRA_ROOT" -B "$build_dir" -G Ninja "$@"
  fi
  cmake --build "$build_dir" --parallel "$(nproc)"
}

SEMESTRA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export SEMESTRA_ROOT
