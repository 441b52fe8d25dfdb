#!/usr/bin/env bash
# Short libFuzzer run (about a minute) over the device-record reader and the exchange poll step.
# Exits non-zero when the fuzzer finds a crash, a sanitizer error or a hang.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=$ROOT/build/fuzz
SECONDS_TO_RUN=${KM350_FUZZ_SECONDS:-40}

FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
# Warnings are enforced by the gcc builds; clang may word them differently.
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKM350_FUZZ=ON -DKM350_WERROR=OFF -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" >/dev/null
cmake --build "$BUILD" --target fuzz_exchange -j"$(nproc)"

# Seeds: an acknowledgement, an end mark and well-formed device records.
CORPUS=$BUILD/corpus
mkdir -p "$CORPUS"
printf '/\006\r\n' >"$CORPUS/ack"
printf '\001/\006\r\n/O\r\n' >"$CORPUS/read-end"
printf '\001/\002U(220)I(5)C(2)\003\375\r\n' >"$CORPUS/creep"
printf '\001/\002A(1)T(T)N(2)P(1600)D(15/06/07)E(1.5)\003\000\r\n' >"$CORPUS/meter"

mkdir -p "$BUILD/findings"
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
  "$BUILD/tests/exchange/fuzz_exchange" -max_total_time="$SECONDS_TO_RUN" -timeout=10 \
  -rss_limit_mb=2048 -max_len=2048 -print_final_stats=1 \
  -artifact_prefix="$BUILD/findings/" "$CORPUS"
