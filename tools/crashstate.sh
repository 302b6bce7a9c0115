#!/usr/bin/env bash
# Records the file system calls of every memo operation under Wine with
# strace, on the driver and on the wineserver (which makes many of the calls
# for it), then checks every state a crash could leave on the disk under two
# models (tests/crashstate). Fails when a crash can tear, lose or misplace a
# memo, or an operation's result may not be on the disk once it returned.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/prepare.sh
out=$BUILD/crashstate
mkdir -p "$out"
rm -f "$out"/*.trace "$out"/driver.*
# A prefix of its own: its wineserver must be the one traced.
export WINEPREFIX=$out/wineprefix
[ -f "$WINEPREFIX/system.reg" ] || cp -a "$BUILD/wineprefix" "$WINEPREFIX"
wineserver -k 2>/dev/null || true
calls=%file,write,pwrite64,ftruncate,ftruncate64,fallocate,fsync,fdatasync,sync,syncfs,close,recvmsg,lseek,_llseek,clone,clone3,listen
trace=(strace -f -ttt -y -x -s 1000000 -e trace="$calls" -o)
"${trace[@]}" "$out/server.trace" wineserver -f -p &
server=$!
# A program started before the server listens would start an untraced one.
for _ in $(seq 100); do
  grep -q '^[0-9]* [0-9.]* listen(' "$out/server.trace" 2>/dev/null && break
  sleep 0.1
done
grep -q listen "$out/server.trace" || { echo "crash states: the traced wineserver did not start"; exit 1; }
# The server keeps Wine's services alive, and strace waits for them.
(cd "$BUILD/win/bin" && with_display "${trace[@]}" "$out/driver.trace" \
  sh -c 'timeout 300 wine crash_state_driver.exe >"$1/driver.log" 2>&1; echo $? >"$1/driver.rc"; wineserver -k' sh "$out")
wait $server || true
if [ "$(cat "$out/driver.rc")" != 0 ]; then
  cat "$out/driver.log"
  echo "crash states: the driver failed (log: $out/driver.log)"
  exit 1
fi
"$BUILD/native/tests/crashstate/crash_state_check" "$out/server.trace" "$out/driver.trace"
