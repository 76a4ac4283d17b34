#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UBSan, then runs
# each one for RUNS executions (default 100000) from its seed corpus.
# Usage: scripts/fuzz.sh [RUNS] [TARGET...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
semestra_install_packages clang libclang-rt-14-dev

runs=${1:-100000}
shift || true
build="$SEMESTRA_ROOT/build-fuzz"
sanitize="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"
CC=clang CXX=clang++ semestra_build "$build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSEMESTRA_GUI=OFF -DSEMESTRA_TESTS=OFF -DSEMESTRA_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="$sanitize"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -executable -name 'fuzz_*' -printf '%f\n' | sort)
fi

for target in "${targets[@]}"; do
  corpus=$(mktemp -d)
  seeds="$SEMESTRA_ROOT/fuzz/corpus/$target"
  [ -d "$seeds" ] && cp -r "$seeds/." "$corpus/"
  echo "== $target: $runs runs"
  log="$build/$target.log"
  status=0
  # Inputs are at most 4096 bytes unless fuzz/corpus/<target>.max_len says otherwise
  # (files whose smallest valid form is larger, such as SQLite databases).
  max_len=$(cat "$SEMESTRA_ROOT/fuzz/corpus/$target.max_len" 2>/dev/null || echo 4096)
  QT_QPA_PLATFORM=offscreen "$build/fuzz/$target" -runs="$runs" -max_len="$max_len" -timeout=10 \
    -rss_limit_mb=4096 "$corpus" >"$log" 2>&1 || status=$?
  grep -E '^(#[0-9]+ +DONE|Done [0-9]+ runs|==[0-9]+==ERROR|SUMMARY)' "$log" || true
  rm -rf "$corpus"
  if [ "$status" -ne 0 ]; then
    echo "$target failed (exit $status); see $log"
    exit "$status"
  fi
done
