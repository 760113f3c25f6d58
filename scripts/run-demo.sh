#!/usr/bin/env bash
# Installs what is missing, builds the program and the stand-in DMS, lays
# out the demo data directory and starts the program on it. Extra arguments go to the program
# (for example a demo VIN: scripts/run-demo.sh XVQ1F23A57M012345).
#
# The demo keeps its own user profile and application-data folder under
# build/demo-home, so it never touches a real installation's settings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYAQ_BUILD_TESTS=OFF >/dev/null
# The stand-in DMS too, which the README has the adviser start beside it.
cmake --build build -j"$(nproc)" --target yaq2 yaq2-dms

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
