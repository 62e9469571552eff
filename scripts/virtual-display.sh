# Sourced by scripts that need a virtual display of their own (Xvfb with
# openbox): start_display SIZE starts one on a free number and sets
# $display; what it starts is added to the caller's array $pids, for the
# caller's clean-up to end.

# start_display SIZE: a free display with openbox on it; sets $display.
start_display() {
  local number=99
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
  DISPLAY=":$number" openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 0.5
  display=":$number"
}
