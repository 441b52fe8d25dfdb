#!/usr/bin/env bash
# Short libFuzzer runs over every reader of outside bytes: device records and the exchange poll
# step, and the file readers. Each target fuzz_<name> runs KM350_FUZZ_SECONDS (default 20) from
# the seeds its folder keeps in fuzz-seeds/<name>/ (or that seed_<name> below writes).
# Exits non-zero when a fuzzer finds a crash, a sanitizer error or a hang.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=$ROOT/build/fuzz
SECONDS_TO_RUN=${KM350_FUZZ_SECONDS:-20}

# target name : test folder that holds it : longest input in bytes
TARGETS=(exchange:exchange:2048)

FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
# Warnings are enforced by the gcc builds; clang may word them differently.
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKM350_FUZZ=ON -DKM350_WERROR=OFF -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" >/dev/null
names=()
for t in "${TARGETS[@]}"; do names+=("fuzz_${t%%:*}"); done
cmake --build "$BUILD" --target "${names[@]}" -j"$(nproc)"

# Seeds of the exchange: an acknowledgement, an end mark and well-formed device records.
seed_exchange() {
  printf '/\006\r\n' >"$1/ack"
  printf '\001/\006\r\n/O\r\n' >"$1/read-end"
  printf '\001/\002U(220)I(5)C(2)\003\375\r\n' >"$1/creep"
  printf '\001/\002A(1)T(T)N(2)P(1600)D(15/06/07)E(1.5)\003\000\r\n' >"$1/meter"
}

mkdir -p "$BUILD/findings"
for t in "${TARGETS[@]}"; do
  IFS=: read -r name dir maxlen <<<"$t"
  corpus=$BUILD/corpus/$name
  mkdir -p "$corpus"
  [ -d "$ROOT/tests/$dir/fuzz-seeds/$name" ] && cp -r "$ROOT/tests/$dir/fuzz-seeds/$name/." "$corpus/"
  if declare -F "seed_$name" >/dev/null; then "seed_$name" "$corpus"; fi
  echo "fuzz_$name: $SECONDS_TO_RUN s"
  ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
    "$BUILD/tests/$dir/fuzz_$name" -max_total_time="$SECONDS_TO_RUN" -timeout=10 \
    -rss_limit_mb=2048 -max_len="$maxlen" -print_final_stats=1 \
    -artifact_prefix="$BUILD/findings/$name-" "$corpus"
done
