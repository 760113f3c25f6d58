#!/usr/bin/env bash
# One round of every benchmark program on the Release build, as the README's
# "Benchmarks" table was measured: five interleaved repetitions each;
# bench_awkat and bench_cataloguecache repeat by themselves (nine, medians).
# Each program's output goes to OUT/<program>.txt (default build-rel/bench-round).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-rel/bench-round}
cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DYAQ_BUILD_TESTS=OFF >/dev/null
cmake --build build-rel -j"$(nproc)"
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
for b in bench_yaqdb bench_shortvin bench_cataloguecache bench_ccdrec bench_packagelist \
         bench_packageload bench_awkat bench_usersteps bench_paket bench_print \
         bench_basketprint bench_soap bench_ownlb bench_transfer bench_basket; do
  args=(--benchmark_repetitions=5 --benchmark_enable_random_interleaving=true)
  case $b in bench_awkat | bench_cataloguecache) args=() ;; esac
  echo "$b (load $(cut -d' ' -f1-3 /proc/loadavg))"
  build-rel/bin/$b "${args[@]}" >"$out/$b.txt" 2>&1
done
