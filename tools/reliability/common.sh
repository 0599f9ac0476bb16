# Shared by the reliability checks: a private X display with a window manager, a simulated unit
# on a port folder of its own, and Kalvio started in a layout of its own, as a person runs it.
# Sourced, not run. Every helper waits with a deadline.

# Installs what the checks drive Kalvio with, when missing.
install_desktop_tools() {
    local packages=(xvfb openbox xdotool wmctrl x11-utils procps)
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local as_root=()
    [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends "${missing[@]}"
}

# Polls a shell condition every 0.1 s for at most $1 seconds; false when it never held.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    for _ in $(seq "$tries"); do
        eval "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The scratch folder every helper below works in; removed with everything started from it.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kalvio-reliability.XXXXXX")
started_pids=()
cleanup() {
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${started_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

# Starts Xvfb on a free display and openbox on it; exports DISPLAY.
start_desktop() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" \
        >/dev/null 2>&1 &
    started_pids+=($!)
    wait_for 30 '[ -s "$scratch/display" ]' || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$scratch/display")"
    openbox >/dev/null 2>&1 &
    started_pids+=($!)
    wait_for 30 'wmctrl -m >/dev/null 2>&1' || { echo "openbox did not start" >&2; exit 1; }
}

# Starts the simulated unit $1 (the orvatronic-sim binary) as COM5 with the options that follow.
start_unit() {
    local sim=$1
    shift
    export KALVIO_DOSDEVICES="$scratch/ports"
    mkdir -p "$KALVIO_DOSDEVICES"
    "$sim" --port 5 --dir "$KALVIO_DOSDEVICES" "$@" &
    unit_pid=$!
    started_pids+=("$unit_pid")
    wait_for 30 '[ -e "$KALVIO_DOSDEVICES/COM5" ]' || { echo "the unit did not start" >&2; exit 1; }
}

# Starts Kalvio $1 in a fresh layout (BIN with its data folders beside it); sets kalvio_pid.
start_kalvio() {
    local kalvio=$1
    local root="$scratch/layout"
    rm -rf "$root"
    mkdir -p "$root/BIN" "$root/LANGUAGE"
    cp "$source_root"/i18n/languages/*.lng "$root/LANGUAGE/"
    export XDG_RUNTIME_DIR="$scratch/runtime"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    (cd "$root/BIN" && exec "$kalvio") >"$scratch/kalvio.log" 2>&1 &
    kalvio_pid=$!
    # A check that gives up early must not leave Kalvio running behind it.
    started_pids+=("$kalvio_pid")
}

# The main window of the process $1, once it is mapped; empty after $2 seconds without it.
main_window_of() {
    local pid=$1 seconds=$2 window=""
    for _ in $(seq $((seconds * 10))); do
        window=$(wmctrl -l -p 2>/dev/null | awk -v pid="$pid" '$3 == pid { print $1; exit }')
        [ -n "$window" ] && break
        sleep 0.1
    done
    echo "$window"
}

# The caption of window $1.
caption_of() {
    xdotool getwindowname "$(($1))" 2>/dev/null || true
}

# Resident memory of process $1 in KiB.
resident_kib() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0
}

# True while process $1 runs (an ended child that was not waited for yet counts as ended).
process_running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $state != Z* ]]
}

# Waits at most $2 seconds for our child $1 to end; sets exit_status to its status, or "hung".
wait_exit() {
    local pid=$1 seconds=$2
    exit_status=hung
    if wait_for "$seconds" '! process_running "$pid"'; then
        exit_status=0
        wait "$pid" 2>/dev/null || exit_status=$?
    fi
}

# Runs every check of the group $2 (a gtest suite) in the binary $1, each in a process of its
# own, $3 rounds; a run that crashes, fails, leaks (exit status) or passes $4 seconds counts as
# failed. Prints one line per check: runs, failures, slowest run, longest close of the program.
# False when any run failed.
repeat_checks() {
    local binary=$1 suite=$2 rounds=$3 limit=$4
    local checks
    checks=$("$binary" --gtest_list_tests --gtest_filter="$suite.*" 2>/dev/null | awk 'NR > 1 { print $1 }')
    declare -A failures slowest slowest_close
    local failed=0
    for round in $(seq "$rounds"); do
        for check in $checks; do
            local log="$scratch/$check.$round.log" status=0 begin
            begin=$(date +%s%N)
            timeout --kill-after=5 "$limit" "$binary" --gtest_filter="$suite.$check" \
                >"$log" 2>&1 || status=$?
            local ms=$((($(date +%s%N) - begin) / 1000000))
            [ "${slowest[$check]:-0}" -ge "$ms" ] || slowest[$check]=$ms
            local close
            close=$(awk '/^closing took/ { if ($3 > most) most = $3 } END { print most + 0 }' "$log")
            [ "${slowest_close[$check]:-0}" -ge "$close" ] || slowest_close[$check]=$close
            if [ "$status" -ne 0 ]; then
                failures[$check]=$((${failures[$check]:-0} + 1))
                failed=1
                mkdir -p build/reliability
                cp "$log" "build/reliability/$check.$round.log"
                echo "round $round: $check failed (status $status):" \
                    "build/reliability/$check.$round.log"
            fi
            rm -f "$log"
        done
    done
    printf '%-45s %5s %8s %11s %13s\n' check runs failures "slowest ms" "longest close"
    for check in $checks; do
        printf '%-45s %5d %8d %11d %10d ms\n' "$check" "$rounds" "${failures[$check]:-0}" \
            "${slowest[$check]:-0}" "${slowest_close[$check]:-0}"
    done
    return "$failed"
}
