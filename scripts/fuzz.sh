#!/usr/bin/env bash
# Runs one fuzz target for a while: bash scripts/fuzz.sh TARGET [SECONDS]
# TARGET is a name under fuzz/corpus (text_value, ...). New inputs go to
# build-fuzz/corpus/TARGET, findings to build-fuzz/findings/TARGET; the
# committed seeds are read, never written.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?usage: fuzz.sh TARGET [SECONDS]}"
seconds="${2:-600}"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTAVRI_FUZZ=ON -DTAVRI_CORE_ONLY=ON -DTAVRI_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build-fuzz" -j 2 --target "${target}_fuzzer"
work="$root/build-fuzz/corpus/$target"
findings="$root/build-fuzz/findings/$target"
mkdir -p "$work" "$findings"
UBSAN_OPTIONS="print_stacktrace=1" "$root/build-fuzz/fuzz/${target}_fuzzer" \
  -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/" \
  "$work" "$root/fuzz/corpus/$target"
