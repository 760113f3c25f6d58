#!/usr/bin/env bash
# A throw-away print service for the print tests. Sourced by
# scripts/run-tests.sh, which calls cups_test_server_start before the tests
# and cups_test_server_stop on exit. The service runs from a temporary
# folder with a configuration of its own on a free loopback port and holds
# one queue, "Werkstatt", that writes each job unchanged (the PDF the
# program hands over) into a file. It is announced to the tests through
# YAQ_TEST_CUPS_SERVER (host:port, what CUPS_SERVER takes),
# YAQ_TEST_CUPS_QUEUE, YAQ_TEST_CUPS_OUTPUT (the file the queue writes) and
# YAQ_TEST_CUPS_PID (the service's process, stopped and continued by the
# tests). Without the service's programs (Debian: cups-daemon, cups-client)
# the print-service tests are skipped.

_cups_dir=""
_cups_pid=""

# The first port from $1 up to 63199 that no program listens on.
_cups_free_port() {
  local port
  for port in $(seq "$1" 63199); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  return 1
}

# The queue's printer description: A4, A5 and Letter, each job passed on
# unchanged by the filter "yaqpass".
_cups_ppd() {
  cat <<'EOF'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "YAQTEST.PPD"
*Manufacturer: "YAQ2 tests"
*Product: "(PDF file)"
*ModelName: "YAQ2 test PDF file"
*ShortNickName: "YAQ2 test PDF file"
*NickName: "YAQ2 test PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*TTRasterizer: Type42
*cupsFilter2: "application/pdf application/pdf 0 yaqpass"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*PageSize A5/A5: "<</PageSize[420 595]/ImagingBBox null>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*PageRegion A5/A5: "<</PageSize[420 595]/ImagingBBox null>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "14 14 581 828"
*ImageableArea A5/A5: "14 14 406 581"
*ImageableArea Letter/Letter: "14 14 598 778"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension A5/A5: "420 595"
*PaperDimension Letter/Letter: "612 792"
EOF
}

cups_test_server_start() {
  local cupsd=/usr/sbin/cupsd
  if [ ! -x "$cupsd" ] || ! command -v lpadmin >/dev/null 2>&1; then
    echo "cups-test-server: CUPS (cups-daemon, cups-client) not found; print-service tests are skipped" >&2
    return 0
  fi
  _cups_dir="$(mktemp -d /tmp/yaq-cups.XXXXXX)"
  chmod 755 "$_cups_dir"
  mkdir -p "$_cups_dir"/{conf/ppd,conf/ssl,spool/tmp,cache,state,log,out,bin/filter}
  chmod 777 "$_cups_dir/out"
  local d
  for d in backend daemon notifier cgi-bin monitor; do
    [ -e "/usr/lib/cups/$d" ] && ln -s "/usr/lib/cups/$d" "$_cups_dir/bin/$d"
  done
  printf '#!/bin/sh\n# Passes the job on unchanged.\nif [ -n "$6" ]; then exec cat "$6"; fi\nexec cat\n' \
    >"$_cups_dir/bin/filter/yaqpass"
  chmod 755 "$_cups_dir/bin/filter/yaqpass"
  _cups_ppd >"$_cups_dir/yaqtest.ppd"
  {
    echo "ServerRoot $_cups_dir/conf"
    echo "RequestRoot $_cups_dir/spool"
    echo "TempDir $_cups_dir/spool/tmp"
    echo "CacheDir $_cups_dir/cache"
    echo "StateDir $_cups_dir/state"
    echo "AccessLog $_cups_dir/log/access_log"
    echo "ErrorLog $_cups_dir/log/error_log"
    echo "PageLog $_cups_dir/log/page_log"
    echo "ServerBin $_cups_dir/bin"
    echo "DataDir /usr/share/cups"
    echo "FileDevice Yes"
    # As root the service runs its filters as its own user (lp); else as
    # the user who runs the tests.
    if [ "$(id -u)" -ne 0 ]; then
      echo "User $(id -un)"
      echo "Group $(id -gn)"
      echo "SystemGroup $(id -gn)"
    fi
  } >"$_cups_dir/conf/cups-files.conf"

  local port=63099 server
  while :; do
    port="$(_cups_free_port $((port + 1)))" || { echo "cups-test-server: no free port" >&2; return 1; }
    cat >"$_cups_dir/conf/cupsd.conf" <<EOF
Listen 127.0.0.1:$port
LogLevel info
Browsing No
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    : >"$_cups_dir/log/error_log"
    "$cupsd" -f -c "$_cups_dir/conf/cupsd.conf" -s "$_cups_dir/conf/cups-files.conf" \
      >"$_cups_dir/log/cupsd.out" 2>&1 &
    _cups_pid=$!
    server="127.0.0.1:$port"
    local k
    for k in $(seq 50); do
      CUPS_SERVER="$server" lpstat -r 2>/dev/null | grep -q "is running" && break
      kill -0 "$_cups_pid" 2>/dev/null || break
      sleep 0.2
    done
    if CUPS_SERVER="$server" lpstat -r 2>/dev/null | grep -q "is running"; then
      break
    fi
    kill "$_cups_pid" 2>/dev/null
    wait "$_cups_pid" 2>/dev/null
    _cups_pid=""
    # Another program took the port first: the next free one is tried.
    if ! grep -qi "unable to bind\|address already in use" "$_cups_dir/log/error_log" 2>/dev/null; then
      cat "$_cups_dir/log/error_log" "$_cups_dir/log/cupsd.out" >&2
      echo "cups-test-server: CUPS did not start; print-service tests are skipped" >&2
      rm -rf "$_cups_dir"
      _cups_dir=""
      return 0
    fi
  done
  CUPS_SERVER="$server" lpadmin -p Werkstatt -E -v "file://$_cups_dir/out/job.pdf" \
    -P "$_cups_dir/yaqtest.ppd" 2>/dev/null ||
    { echo "cups-test-server: the queue could not be set up" >&2; cups_test_server_stop; return 0; }

  export YAQ_TEST_CUPS_SERVER="$server"
  export YAQ_TEST_CUPS_QUEUE=Werkstatt
  export YAQ_TEST_CUPS_OUTPUT="$_cups_dir/out/job.pdf"
  export YAQ_TEST_CUPS_PID="$_cups_pid"
  echo "cups-test-server: CUPS on $server, queue Werkstatt writing $YAQ_TEST_CUPS_OUTPUT"
}

cups_test_server_stop() {
  if [ -n "$_cups_pid" ]; then
    kill -CONT "$_cups_pid" 2>/dev/null
    kill "$_cups_pid" 2>/dev/null
    wait "$_cups_pid" 2>/dev/null
  fi
  if [ -n "$_cups_dir" ]; then
    rm -rf "$_cups_dir"
  fi
  _cups_pid=""
  _cups_dir=""
  unset YAQ_TEST_CUPS_SERVER YAQ_TEST_CUPS_QUEUE YAQ_TEST_CUPS_OUTPUT YAQ_TEST_CUPS_PID
}
