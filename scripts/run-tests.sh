#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite with CTest,
# then every fuzz program of fuzz/ for 10 seconds (scripts/run-fuzz.sh).
# Database tests run against SQLite and, when the PostgreSQL server
# programs are installed, against a throw-away PostgreSQL server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DYAQ_SANITIZE=ON -DYAQ_BUILD_BENCH=OFF >/dev/null
cmake --build build-test -j"$jobs"

cleanup() { :; }
if [ -x scripts/pg-test-server.sh ]; then
  # Exports YAQ_TEST_PG_* for the database tests and stops the server on exit.
  source scripts/pg-test-server.sh
  pg_test_server_start
  cleanup() { pg_test_server_stop; }
fi
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$jobs"

# Every parser of outside input under the fuzzer for a few seconds.
scripts/run-fuzz.sh 10
