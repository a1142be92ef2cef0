# Sourced by the Wine scripts: start_virtual_display DIR starts an Xvfb of this run's own on a
# free display number, exports its DISPLAY and leaves its pid in virtual_display_pid (stop it by
# that pid, never by name).
virtual_display_pid=""

start_virtual_display() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1/display" >/dev/null 2>&1 &
  virtual_display_pid=$!
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
  [ -s "$1/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$1/display")"
}

stop_virtual_display() {
  if [ -n "$virtual_display_pid" ]; then
    kill "$virtual_display_pid" 2>/dev/null || true
    wait "$virtual_display_pid" 2>/dev/null || true
  fi
  virtual_display_pid=""
}
