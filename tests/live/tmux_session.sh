# Sourced by the live tests: the program in a real terminal, a tmux pane of 100x30 on a server of
# the test's own, with keys sent to it and its screen read back.
# Needs $work (a fresh folder). Exits 77 (skipped) when tmux is missing.

if ! command -v tmux >/dev/null; then
  echo "tmux is not installed: the program cannot be tried in a terminal" >&2
  exit 77
fi

socket=$work/tmux.socket
trap 'tmux -S "$socket" kill-server 2>/dev/null || true' EXIT

tmux_() { tmux -S "$socket" "$@"; }

# Runs the command line in the pane. Its exit status goes to $work/status and the terminal's
# modes before and after it to $work/modes.before and $work/modes.after. The pane's shell outlives
# a Ctrl+C (a handler of its own, which the program does not inherit).
start() {
  tmux_ -f /dev/null new-session -d -s live -x 100 -y 30 \
    "trap : INT; stty -g > '$work/modes.before'; $*; echo \$? > '$work/status'; stty -g > '$work/modes.after'; sleep 600"
}

screen() { tmux_ capture-pane -p -t live; }

fail() {
  echo "FAIL: $*" >&2
  echo "--- screen ---" >&2
  screen >&2 || true
  exit 1
}

# Runs the command until it succeeds, for up to 5 seconds; fails when it never does.
eventually() {
  for _ in $(seq 50); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

shows() { screen | grep -qF -- "$1"; }
hides() { ! shows "$1"; }

# Waits for a text to show on the screen, or to be gone from it.
expect_screen() { eventually shows "$1" || fail "the screen does not show \"$1\""; }
expect_gone() { eventually hides "$1" || fail "the screen still shows \"$1\""; }

# Waits for the status line to name the focused field.
expect_focus() { expect_screen " $1  dt"; }

# Named keys (Tab, BTab, Enter, Escape, F2, C-s, ...) and literal text.
keys() { tmux_ send-keys -t live "$@"; }
type_text() { tmux_ send-keys -t live -l -- "$1"; }
# A paste from the terminal: between the bracketed paste markers when the program asked for them,
# as plain keys when it did not.
paste_text() {
  tmux_ set-buffer -- "$1"
  tmux_ paste-buffer -p -t live
}

# A left click at a cell (0-based row and column), as a terminal reports it: press, then release.
click() {
  local position
  position=$(printf "\\$(printf %03o $(($2 + 33)))\\$(printf %03o $(($1 + 33)))")
  tmux_ send-keys -t live -l -- $'\e[M '"$position"$'\e[M#'"$position"
}

# The row and column of the first place a text shows on the screen, as "ROW COLUMN".
find_on_screen() { screen | awk -v text="$1" 'index($0, text) { print NR - 1, index($0, text) - 1; exit }'; }

cursor_column() { tmux_ display -p -t live '#{cursor_x}'; }

# Waits for the program to end and checks it left the terminal as it found it.
expect_exit() {
  eventually test -s "$work/modes.after" || fail "the program did not end"
  [ "$(cat "$work/status")" = "$1" ] || fail "exit status $(cat "$work/status"), expected $1"
  cmp -s "$work/modes.before" "$work/modes.after" || fail "the terminal's modes were not restored"
}
