#!/usr/bin/env bash
# Builds the libFuzzer programs of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs each for the given
# number of seconds (default 10) on its seed corpus fuzz/corpus/<name>/.
# Fails when a program finds a crash, a leak, a sanitizer error or an input
# that takes longer than 10 seconds; the input is left in
# build-fuzz/fuzz-artifacts/ and named in the output.
#
#   scripts/run-fuzz.sh            every program 10 seconds (as CI does)
#   scripts/run-fuzz.sh 600        every program 10 minutes
#   scripts/run-fuzz.sh 60 xml     only fuzz_xml, a minute
#
# Inputs that reached new code are kept in build-fuzz/fuzz-corpus/<name>/
# and taken up again by the next run; the seed folders stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
shift || true
build="${YAQ_FUZZ_BUILD_DIR:-build-fuzz}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Optimised, but with the assertions of a debug build.
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DYAQ_FUZZ=ON \
  -DYAQ_BUILD_TESTS=OFF -DYAQ_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  "-DYAQ_LTO_JOBS=${YAQ_JOBS:-}" "${launcher[@]}" >/dev/null
# YAQ_JOBS limits the build's parallel jobs (default: every core), those of
# an optimising link too.
cmake --build "$build" -j"${YAQ_JOBS:-$(nproc)}" --target yaq_fuzzers

if (($#)); then
  names=("$@")
else
  names=()
  for src in fuzz/fuzz_*.cpp; do
    name="$(basename "$src" .cpp)"
    names+=("${name#fuzz_}")
  done
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/fuzz-artifacts"
failed=()
for name in "${names[@]}"; do
  program="$build/fuzz/fuzz_$name"
  corpus="$build/fuzz-corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "== fuzz_$name: ${seconds}s"
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/${name}-" \
      "$corpus" "${seeds[@]}" >"$build/fuzz-artifacts/$name.log" 2>&1; then
    failed+=("$name")
    tail -n 60 "$build/fuzz-artifacts/$name.log"
  else
    grep -E "^stat::number_of_executed_units|^Done" "$build/fuzz-artifacts/$name.log" | tr '\n' ' '
    echo
  fi
done

if ((${#failed[@]})); then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in $build/fuzz-artifacts/)" >&2
  exit 1
fi
echo "Fuzzing: no faults in ${#names[@]} programs"
