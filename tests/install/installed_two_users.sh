#!/usr/bin/env bash
# Installs the program into a temporary prefix, makes the prefix read-only, and runs the
# installed program under Xvfb as two users at once, each with a home folder of its own.
# The first imports a LAS file, computes the elastic parameters, saves the table and exits;
# the second starts beside it and exits. Each must work in its own data folder, and nothing
# may be written into the prefix.
#
#   installed_two_users.sh BUILD_DIR LAS_FILE
set -euo pipefail
build=$1
las=$2

work=$(mktemp -d)
chmod 755 "$work"
display_pids=()
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${display_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# With SHOTS set to a folder, a picture of the screen at each step goes there.
shot() {
  if [ -n "${SHOTS:-}" ]; then import -window root "$SHOTS/$1.png" 2>/dev/null || true; fi
}
fail() {
  shot failed
  echo "FAILED: $*" >&2
  for f in "$work"/*.log; do [ -f "$f" ] && { echo "--- $f"; tail -20 "$f"; } >&2; done
  exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
[ -x "$prefix/bin/lithora" ] || fail "no lithora in $prefix/bin"
[ -f "$prefix/share/lithora/Patterns/Unknown" ] || fail "no patterns in $prefix/share/lithora"
chmod -R a-w "$prefix"
# Every path under the prefix with its kind, size and modification time, to compare at the end.
listPrefix() { find "$prefix" -printf '%p %y %s %T@\n' | sort; }
listPrefix >"$work/prefix.before"
cp "$las" "$work/well.las"
chmod 644 "$work/well.las"
las=$work/well.las

# Root may write anywhere, so under root each user is an unprivileged user id of its own, as
# on a shared machine; otherwise both run as the user running the test.
next_uid=64001

# Each user has a display of its own, as two people at one machine each have their session:
# the first free numbers from 90 on.
displays=()
display_pids=()
n=90
while [ ${#displays[@]} -lt 2 ]; do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    Xvfb ":$n" -screen 0 1400x1000x24 -nolisten tcp -ac >"$work/xvfb$n.log" 2>&1 &
    display_pids+=($!)
    displays+=(":$n")
  fi
  n=$((n + 1))
done
for d in "${displays[@]}"; do
  for _ in $(seq 50); do DISPLAY=$d xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.2; done
done

# Runs the installed program as a user whose home is $1; its pid goes to pids.
start_user() {
  local home=$1 display=$2 as=()
  mkdir -p "$home/runtime"
  chmod 700 "$home/runtime"
  if [ "$(id -u)" -eq 0 ]; then
    chown -R "$next_uid:$next_uid" "$home"
    as=(setpriv --reuid="$next_uid" --regid="$next_uid" --clear-groups)
    next_uid=$((next_uid + 1))
  fi
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$home/runtime" \
    DISPLAY="$display" \
    QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
    "${as[@]}" "$prefix/bin/lithora" >"$work/$(basename "$home").log" 2>&1 &
  pids+=($!)
}

# Waits up to $2 seconds for the command $1 to succeed.
wait_for() {
  local what=$1 seconds=$2
  for _ in $(seq $((seconds * 5))); do
    eval "$what" && return 0
    sleep 0.2
  done
  return 1
}

# The id of the main window of process $1: its visible window titled "Lithora" that is wider
# than the splash window.
main_window_of() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$1" --name '^Lithora$' 2>/dev/null); do
    local WIDTH=0
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | grep '^WIDTH=')"
    if [ "${WIDTH:-0}" -ge 800 ]; then
      echo "$id"
      return
    fi
  done
}

# Clicks into window $1 (so it has the keyboard) and presses the keys that follow.
keys_to() {
  local w=$1
  shift
  # an empty stretch of the Table page, clear of the menus and the grids
  xdotool mousemove --window "$w" 900 450 click 1 2>/dev/null || true
  xdotool windowfocus --sync "$w" 2>/dev/null || true
  sleep 0.5
  xdotool key --clearmodifiers "$@"
}

# Types a path into the file dialog that has the keyboard now, and confirms it.
type_path() {
  sleep 1
  xdotool type --delay 15 "$1"
  sleep 0.3
  xdotool key Return
}

home_a=$work/anna
home_b=$work/bert
data_a=$home_a/.local/share/Lithora
data_b=$home_b/.local/share/Lithora

start_user "$home_a" "${displays[0]}"
pid_a=${pids[0]}
start_user "$home_b" "${displays[1]}"
pid_b=${pids[1]}

# Both start: each makes its own shipped tables in its own data folder.
wait_for "[ -f '$data_a/ElasticTable.db' ] && [ -f '$data_b/ElasticTable.db' ]" 60 ||
  fail "the two users did not both get their work tables"
export DISPLAY=${displays[1]}
wait_for "[ -n \"\$(main_window_of $pid_b)\" ]" 90 || fail "no main window for the second user"
win_b=$(main_window_of "$pid_b")
export DISPLAY=${displays[0]}
wait_for "[ -n \"\$(main_window_of $pid_a)\" ]" 90 || fail "no main window for the first user"
win_a=$(main_window_of "$pid_a")
kill -0 "$pid_b" || fail "the second user's program stopped at start"
sleep 1

# The first user imports, computes and saves.
# Runs the action $2 until the check $1 holds, at most three times: a key pressed while the
# window did not yet have the keyboard is lost, and Escape closes what it may have opened.
step() {
  local check=$1 action=$2
  for _ in 1 2 3; do
    $action
    wait_for "$check" 30 && return 0
    xdotool key Escape
    sleep 1
    xdotool key Escape
    sleep 1
  done
  return 1
}

import_file() {
  keys_to "$win_a" F3
  shot open-dialog
  type_path "$las"
}
compute() {
  keys_to "$win_a" F8
  sleep 2
  shot curve-choice
  xdotool key Return # the curve choice: the proposed curves
}
save() {
  keys_to "$win_a" ctrl+s
  type_path "$saved"
}
# Exit through the File menu (Ctrl+X is Cut where a text box has the keyboard); the question
# about the elastic table is answered No.
exit_a() {
  keys_to "$win_a" alt+f
  sleep 1
  xdotool key x
  sleep 2
  shot exit-question
  xdotool key alt+n
}
exit_b() {
  keys_to "$win_b" alt+f
  sleep 1
  xdotool key x
}

# The first user imports, computes and saves.
saved=$home_a/saved.las
shot started
step "[ -f '$data_a/Table.db' ]" import_file || fail "the import made no Table.db"
sleep 2
step "[ '$data_a/ElasticTable.db' -nt '$data_a/Table.db' ]" compute ||
  fail "the elastic computation wrote nothing"
sleep 2
shot computed
step "[ -s '$saved' ]" save || fail "Save Table wrote no file"
step "! kill -0 $pid_a 2>/dev/null" exit_a || fail "the first user's program did not exit"
wait "$pid_a" || fail "the first user's program exited with an error"
[ ! -e "$data_a/Table.db" ] || fail "the first user's source table was left behind"

# The second user was at work all along in a folder of its own, and exits cleanly.
kill -0 "$pid_b" || fail "the second user's program stopped"
export DISPLAY=${displays[1]}
step "! kill -0 $pid_b 2>/dev/null" exit_b || fail "the second user's program did not exit"
wait "$pid_b" || fail "the second user's program exited with an error"
[ ! -e "$data_b/Table.db" ] || fail "the second user has a source table it never imported"

# What was saved reads back with the program's own reader, with the elastic columns.
"$prefix/bin/lithora-cli" import "$saved" >"$work/readback.json" || fail "the saved table does not read back"
grep -q '"PI"' "$work/readback.json" || fail "the saved table has no elastic columns"

# Nothing was written into the installation.
listPrefix >"$work/prefix.after"
cmp -s "$work/prefix.before" "$work/prefix.after" ||
  fail "files changed under the prefix: $(diff "$work/prefix.before" "$work/prefix.after" | head -5)"
echo "installed program: two users worked side by side in their own data folders"
