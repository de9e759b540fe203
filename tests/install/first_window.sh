# Sourced by the install tests: starts an ostrel-email executable without a
# display (Qt's offscreen platform) and waits until it shows its first
# window, then ends it.
#
#   first_window OSTREL OSTREL_EMAIL FOLDER
#
# The program folder FOLDER gets a mail account first (through the ostrel
# tool OSTREL), so that the main window opens without the setup message; its
# activation, which runs once the main window is shown, makes "opt.dne" and
# opens the first-run notice. HOME and XDG_RUNTIME_DIR should point into a
# scratch folder.
#
#   skip REASON
#
# Skips the calling test (status 77) for REASON, or fails it in CI (CI=true),
# where every tool the tests need is installed. The caller sets test_name.

skip() {
  if [ "${CI:-}" = "true" ]; then
    echo "$test_name: $1" >&2
    exit 1
  fi
  echo "$test_name skipped: $1"
  exit 77
}

first_window() {
  local ostrel=$1 program=$2 folder=$3
  if [ -e "$folder/opt.dne" ]; then
    echo "first_window: $folder must be a fresh program folder" >&2
    return 1
  fi
  mkdir -p "$folder"
  "$ostrel" set-options --folder "$folder" --pop-server pop.example.test:995 --smtp-server smtp.example.test:465 \
    --user someone --email someone@example.test </dev/null || return 1
  QT_QPA_PLATFORM=offscreen "$program" --folder "$folder" >"$folder.log" 2>&1 &
  local pid=$!
  local waited=0
  while [ ! -e "$folder/opt.dne" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || true
      echo "$program ended before showing its window:" >&2
      cat "$folder.log" >&2
      return 1
    fi
    if [ "$waited" -ge 600 ]; then
      kill "$pid"
      echo "$program showed no window within a minute:" >&2
      cat "$folder.log" >&2
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  # Still there a moment later: the notice waits for a person.
  sleep 0.5
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "$program ended while showing its first window:" >&2
    cat "$folder.log" >&2
    return 1
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
