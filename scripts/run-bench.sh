#!/usr/bin/env bash
# One round of the benchmark programs on the Release build, as the
# "Benchmarks" table of docs/testing.md was measured: each program once,
# five interleaved repetitions; bench_awkat and bench_cataloguecache
# repeat by themselves (nine, medians) and bench_ccdrec by itself (five,
# the fastest).
#
#   scripts/run-bench.sh [OUT [PROGRAM...]]
#
# OUT (default build-rel/bench-round) receives each program's whole output
# as <program>.txt and summary.txt: for each program its wall time, the
# load average as it began and the lines it ends with (each ratio with ok
# or SLOW against its goal; FAILED and the script's status 1 when a program
# fails). PROGRAM names the programs to run (default:
# all, in the table's order). YAQ_BENCH_BUILD=0 skips configuring and
# building build-rel (for a round pinned to one core with taskset, built
# beforehand).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-rel/bench-round}
shift $(($# > 0 ? 1 : 0))
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
  programs=(bench_yaqdb bench_shortvin bench_cataloguecache bench_ccdrec bench_packagelist
            bench_packageload bench_awkat bench_usersteps bench_paket bench_print
            bench_basketprint bench_soap bench_ownlb bench_transfer bench_basket)
fi
if [ "${YAQ_BENCH_BUILD:-1}" != 0 ]; then
  # YAQ_JOBS limits the parallel jobs (default: every core), those the
  # optimising link runs of its own too.
  cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DYAQ_BUILD_TESTS=OFF \
    "-DYAQ_LTO_JOBS=${YAQ_JOBS:-}" >/dev/null
  cmake --build build-rel -j"${YAQ_JOBS:-$(nproc)}" --target "${programs[@]}"
fi
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
summary=$out/summary.txt
minutes() { printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); }
commit=$(git rev-parse --short HEAD 2>/dev/null || echo '?')
git diff --quiet HEAD -- 2>/dev/null || commit="$commit with local changes"
cpus=$(taskset -pc $$ 2>/dev/null | sed 's/.*: //' || true)
echo "round of $(date -u '+%Y-%m-%d %H:%M') UTC, commit $commit, CPUs ${cpus:-all}" >"$summary"
began=$(date +%s)
failed=0
for b in "${programs[@]}"; do
  args=(--benchmark_repetitions=5 --benchmark_enable_random_interleaving=true)
  case $b in bench_awkat | bench_cataloguecache | bench_ccdrec) args=() ;; esac
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  echo "$b (load $load)"
  start=$(date +%s)
  status=0
  "build-rel/bin/$b" "${args[@]}" >"$out/$b.txt" 2>&1 || status=$?
  [ $status = 0 ] || failed=1
  took=$(($(date +%s) - start))
  {
    echo
    echo "== $b: $(minutes "$took") (load $load)$([ $status = 0 ] || echo ", FAILED with status $status")"
    # What the program prints after Google Benchmark's table of runs, its
    # colours taken out.
    sed 's/\x1b\[[0-9;]*m//g' "$out/$b.txt" |
      awk '/^BM_/ { n = NR } { line[NR] = $0 } END { for (i = n + 1; i <= NR; ++i) if (line[i] != "") print line[i] }'
  } >>"$summary"
  echo "  $(minutes "$took")"
done
total=$(($(date +%s) - began))
echo >>"$summary"
echo "round: $(minutes "$total")" | tee -a "$summary"
echo "written: $out/<program>.txt and $summary"
exit $failed
