#!/usr/bin/env bash
# Installs what the KM350 workstation needs, builds it, and either starts it or runs every test.
#   scripts/km350.sh run    build, create an empty archive in ~/KM350 if there is none, start
#   scripts/km350.sh test   build and run all tests, then again under AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
MODE=${1:-test}

PACKAGES=(build-essential cmake ninja-build clang libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-qpa-plugins qt6-serialport-dev libgl-dev
  qt6-charts-dev qt6-svg-dev
  libsqlite3-dev googletest libgtest-dev libgmock-dev
  libgsf-1-dev python3-xlrd clang-format
  xvfb xauth fonts-dejavu-core python3)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
}

build() { # dir, extra cmake options...
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

install_packages
case "$MODE" in
  run)
    build "$ROOT/build/release" -DCMAKE_BUILD_TYPE=Release -DKM350_TESTS=OFF
    WORK=${KM350_WORKDIR:-$HOME/KM350}
    mkdir -p "$WORK"
    [ -f "$WORK/OrmixDB.sqlite" ] || "$ROOT/build/release/src/app/km350" --new-archive "$WORK/OrmixDB.sqlite"
    mkdir -p "$WORK/help"
    cp -r "$ROOT/help/." "$WORK/help/"
    cd "$WORK"
    exec "$ROOT/build/release/src/app/km350"
    ;;
  test)
    export QT_QPA_PLATFORM=offscreen
    LOGS=$(mktemp -d)
    "$ROOT/scripts/check-format.sh"
    build "$ROOT/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    "$ROOT/scripts/check-layers.sh" "$ROOT/build/test"
    (cd "$ROOT/build/test" && ctest --output-on-failure -j"$(nproc)" --timeout 300) | tee "$LOGS/plain"
    build "$ROOT/build/asan" -DCMAKE_BUILD_TYPE=Debug -DKM350_SANITIZE=ON
    (cd "$ROOT/build/asan" && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$(nproc)" --timeout 600) |
      tee "$LOGS/asan"
    if [ -x "$ROOT/scripts/fuzz.sh" ]; then "$ROOT/scripts/fuzz.sh"; fi
    # One closing line for both test runs (each ctest above stops the script when a test fails).
    total=0
    for log in "$LOGS/plain" "$LOGS/asan"; do
      n=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
      total=$((total + ${n:-0}))
    done
    rm -rf "$LOGS"
    echo "tests: $total passed, 0 failed"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
