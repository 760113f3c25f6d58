#!/usr/bin/env bash
# Installs what is missing, checks the formatting of the sources, builds
# with AddressSanitizer and UndefinedBehaviorSanitizer and compiler warnings
# as errors, and runs the whole test suite with CTest, then every fuzz
# program of fuzz/ for 10 seconds (scripts/run-fuzz.sh).
# Database tests run against SQLite and, when the PostgreSQL server
# programs are installed, against a throw-away PostgreSQL server; the print
# tests against a throw-away print service (CUPS) when it is installed.
#
#   scripts/run-tests.sh             everything, as CI runs it (.ci/run)
#   scripts/run-tests.sh --no-fuzz   all but the fuzz programs, for a change
#                                    that touches no parser of outside input
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz=1
case "${1:-}" in
  "") ;;
  --no-fuzz) fuzz=0 ;;
  *) echo "usage: $0 [--no-fuzz]" >&2; exit 2 ;;
esac
scripts/install-deps.sh

# Formatting first, so that a badly formatted file fails in seconds: every
# source as the repository's .clang-format has it (clang-format -i FILE).
clang_format=$(command -v clang-format-14 || command -v clang-format)
find src tests bench fuzz tools examples -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 "$clang_format" --dry-run -Werror ||
  { echo "Formatting differs in the files named above: $clang_format -i FILE" >&2; exit 1; }

# The benchmarks are built too, so that they keep compiling; they are run by
# hand on a Release build (docs/testing.md, "Benchmarks").
# The libraries are shared: linked statically, every one of the some ninety
# programs carried its own copy of the sanitized code, some 200 MB each, and
# the tree took 6.4 GB, more than a CI machine may have free; shared, 1.6 GB.
# YAQ_JOBS limits the build's and the suite's parallel jobs on a shared
# machine (default: every core), those of an optimising link too and those
# of the fuzz programs' build.
jobs=${YAQ_JOBS:-$(nproc)}
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DYAQ_SANITIZE=ON -DYAQ_WERROR=ON \
  -DYAQ_BUILD_BENCH=ON -DBUILD_SHARED_LIBS=ON "-DYAQ_LTO_JOBS=${YAQ_JOBS:-}" >/dev/null
cmake --build build-test -j"$jobs"

# Exports YAQ_TEST_PG_* for the database tests and YAQ_TEST_CUPS_* for the
# print-service tests; both are stopped on exit.
cleanup() {
  if declare -F cups_test_server_stop >/dev/null; then cups_test_server_stop; fi
  if declare -F pg_test_server_stop >/dev/null; then pg_test_server_stop; fi
}
trap cleanup EXIT
if [ -x scripts/pg-test-server.sh ]; then
  source scripts/pg-test-server.sh
  pg_test_server_start
fi
if [ -x scripts/cups-test-server.sh ]; then
  source scripts/cups-test-server.sh
  cups_test_server_start
fi

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$jobs"

# Every parser of outside input under the fuzzer for a few seconds.
if ((fuzz)); then
  scripts/run-fuzz.sh 10
else
  echo "Fuzzing left out (--no-fuzz); CI runs it: scripts/run-fuzz.sh 10"
fi
