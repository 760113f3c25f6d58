#!/usr/bin/env bash
# Installs what is missing, builds the program and the stand-in DMS, lays
# out the demo data directory and starts the program on it. Extra arguments go to the program
# (for example a demo VIN: scripts/run-demo.sh XVQ1F23A57M012345).
#
# The demo keeps its own user profile and application-data folder under
# build/demo-home, so it never touches a real installation's settings.
#
# Standard output is the program's alone, as a caller of its modes reads it:
# the build writes to build/run-demo.log, and only a failed build shows its
# end, on standard error. The packages are checked and the build configured
# on the first run (and again when scripts/install-deps.sh changes); later
# runs only bring the build up to date.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
log=build/run-demo.log
stamp=build/run-demo.deps
deps="$(sha256sum scripts/install-deps.sh)"
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$deps" ]; then
  scripts/install-deps.sh >&2
  printf '%s\n' "$deps" >"$stamp"
fi
# YAQ_JOBS limits the parallel jobs (default: every core), those the
# optimising link runs of its own too (YAQ_LTO_JOBS, empty for every core).
lto_jobs=${YAQ_JOBS:-}
# cmake configures again by itself when a CMakeLists.txt changes; here only
# on the first run and when YAQ_JOBS differs from the run before.
configure=()
if [ ! -f build/CMakeCache.txt ]; then
  echo "Building the program into build/ (output in $log) ..." >&2
  configure=(cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYAQ_BUILD_TESTS=OFF
             "-DYAQ_LTO_JOBS=$lto_jobs")
elif [ "$(sed -n 's/^YAQ_LTO_JOBS:[A-Z]*=//p' build/CMakeCache.txt)" != "$lto_jobs" ]; then
  configure=(cmake -S . -B build "-DYAQ_LTO_JOBS=$lto_jobs")
fi
build() {
  if ((${#configure[@]})); then "${configure[@]}"; fi
  # The stand-in DMS too, which docs/dms-exchange.md has the adviser start beside it.
  cmake --build build -j"${YAQ_JOBS:-$(nproc)}" --target yaq2 yaq2-dms
}
if ! build >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "The build failed; all of its output is in $log." >&2
  exit 1
fi

home="$PWD/build/demo-home"
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
profile="$XDG_CONFIG_HOME/ORMEL AG/yaq2.ini"
# A new demo profile prices the packages from the demo dealer's price files
# as soon as one is opened (request mode 3 with the dealer folder as the
# request folder). Remove build/demo-home to start again with it.
if [ ! -f "$profile" ]; then
  mkdir -p "$(dirname "$profile")" "$XDG_DATA_HOME"
  dealer="$PWD/build/bin/Datas/Dealer"
  printf '[YAQ]\nSRPInterfaceReq=3\nReqDateiVerz=%s\nAutomaticReq=1\n[SRP]\nDealerDataStorage=%s\n' \
    "$dealer" "$dealer" > "$profile"
fi
exec build/bin/yaq2 "$@"
