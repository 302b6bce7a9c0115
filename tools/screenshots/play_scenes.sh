#!/usr/bin/env bash
# On the display tools/screenshots.sh gives it: runs screenshot_driver.exe in
# a Wine desktop and takes each picture it asks for, until it says it has ended.
#   play_scenes.sh REQUESTS IMAGES DRIVER-OPTIONS...
# A request REQUESTS/NAME.request holds the part of the screen to take
# (WxH+X+Y); the picture goes to IMAGES/NAME.png and the request is removed.
set -euo pipefail
requests=$1 images=$2
shift 2

# Takes the picture once two shots in a row agree: the windows have painted.
shoot() {
  local geometry=$1 picture=$2 raw=$requests/shot.rgb previous=$requests/shot.previous.rgb
  rm -f "$previous"
  for _ in $(seq 30); do
    import -window root -crop "$geometry" +repage -depth 8 rgb:"$raw"
    if [ -f "$previous" ] && cmp -s "$raw" "$previous"; then
      convert -size "${geometry%%+*}" -depth 8 rgb:"$raw" -strip "$picture"
      return 0
    fi
    mv "$raw" "$previous"
  done
  echo "screenshots: $picture would not hold still" >&2
  return 1
}

wine explorer /desktop=Jotbook,1280x1024 build/win/bin/screenshot_driver.exe --requests "$requests" "$@" >/dev/null 2>&1 &
deadline=$((SECONDS + 300))
taken=0
until [ -f "$requests/finished" ] || [ $SECONDS -ge $deadline ]; do
  for request in "$requests"/*.request; do
    [ -f "$request" ] || continue
    if ! shoot "$(cat "$request")" "$images/$(basename "$request" .request).png"; then
      wineserver -k
      exit 1
    fi
    rm "$request"
    taken=$((taken + 1))
  done
  sleep 0.1
done
# The desktop ends with the last program in it.
timeout 60 wineserver -w || wineserver -k
outcome=$(cat "$requests/finished" 2>/dev/null || echo "the driver did not end in time")
if [ "$outcome" != ok ]; then
  echo "screenshots: $outcome" >&2
  exit 1
fi
echo "screenshots: $taken pictures in $images"
