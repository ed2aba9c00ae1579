# Sourced by run_command.sh: starts ./run as a user does, and looks at what it shows and what it
# leaves behind. Expects $root (the checkout), $here (this folder) and $port (the web port).
source "$here/images.sh"

# In the environment of every process a ./run of this test starts, and of nothing else.
tag="mapwell-run-test-$$"
test_pids=()

fail() {
    echo "FAIL: $*" >&2
    for out in "$PWD"/*.out; do [ -f "$out" ] && sed "s|^|$(basename "$out"): |" "$out" >&2; done
    stop_everything
    exit 1
}

# Whatever a failed step left: the ./runs (as Ctrl+C would), then what the test itself started.
stop_everything() {
    local pid
    for pid in $(tagged_processes) "${test_pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
}

poll() { # SECONDS COMMAND...: until COMMAND succeeds; fails after SECONDS
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

# start_run NAME ENV...: ./run with the environment changes ENV (as for env(1)), in its own process
# group as from a terminal; its output goes to NAME.out, its process id to $run_pid_NAME.
start_run() {
    local name=$1; shift
    setsid env "$@" MAPWELL_RUN_TEST_TAG="$tag" "$root/run" </dev/null >"$PWD/$name.out" 2>&1 &
    printf -v "run_pid_$name" %s $!
}

run_alive() { local pid="run_pid_$1"; kill -0 "${!pid}" 2>/dev/null; }
run_ended() { ! run_alive "$1"; }

# expect_run_end NAME STATUS SECONDS
expect_run_end() {
    local pid="run_pid_$1" status
    poll "$3" run_ended "$1" || fail "./run ($1) did not end within $3 s"
    wait "${!pid}"; status=$?
    [ "$status" -eq "$2" ] || fail "./run ($1) ended with status $status, expected $2"
}

# Prints the address ./run NAME gives once everything is up (the first run also makes a prefix).
wait_address() {
    poll 300 address_given "$1" || fail "./run ($1) gave no address"
    grep -o 'http://[^ ]*' "$PWD/$1.out" | head -1
}
address_given() { run_alive "$1" && grep -q 'http://' "$PWD/$1.out"; }

tagged_processes() {
    grep -lzxF "MAPWELL_RUN_TEST_TAG=$tag" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3
}

port_busy() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
display_answers() { xdpyinfo -display ":$1" >/dev/null 2>&1; }

# No process of any ./run, no lock, the web port and the virtual display free.
expect_nothing_left() {
    local left
    left=$(tagged_processes)
    [ -z "$left" ] || fail "left running: $(ps -o pid=,args= -p $left | tr '\n' ';')"
    [ ! -e "$root/build/run/lock" ] || fail "the lock file was left"
    port_busy "$port" && fail "port $port still answers"
    display_answers "$virtual" && fail "display :$virtual still answers"
    return 0
}

# Every TCP listener of a ./run is on the loopback address, and there are the two expected
# (the display sharer and the web viewer).
expect_loopback_listeners() {
    local pids count=0 address
    pids=" $(tagged_processes | tr '\n' ' ') "
    while read -r address users; do
        [[ $pids == *" $(grep -o 'pid=[0-9]*' <<<"$users" | head -1 | cut -d= -f2) "* ]] || continue
        count=$((count + 1))
        [[ $address == 127.0.0.1:* || $address == "[::1]:"* ]] || fail "./run listens on $address"
    done < <(ss -Htlnp | awk '{ print $4, $6 }')
    [ "$count" -ge 2 ] || fail "./run has $count listeners, expected the sharer's and the viewer's"
}

# The editor's main window on display $1, as "id x y width height" (client area, root coordinates).
editor_window() {
    local id
    id=$(DISPLAY=":$1" xdotool search --name '^Mapwell$' 2>/dev/null | head -1)
    [ -n "$id" ] || return 1
    DISPLAY=":$1" xdotool getwindowgeometry --shell "$id" |
        awk -F= -v id="$id" '{ v[$1] = $2 } END { print id, v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}

# The browser driver (browser.py) as a coprocess; ask COMMAND leaves its answer in $reply.
start_browser() {
    coproc BROWSER { python3 "$here/browser.py" 2>"$PWD/browser.err"; }
    test_pids+=("$BROWSER_PID")
}
ask() {
    echo "$*" >&"${BROWSER[1]}"
    read -r -t 60 reply <&"${BROWSER[0]}" || fail "the browser gave no answer to: $1"
    [[ $reply != error:* ]] || fail "the browser could not $1: $reply"
}
stop_browser() {
    exec {BROWSER[1]}>&-
    wait "$BROWSER_PID"
}

viewer_connected() {
    ask eval 'document.documentElement.classList.contains("noVNC_connected")'
    [ "$reply" = true ]
}

# Where the viewer shows the remote screen on the page: sets left, top and scale.
viewer_canvas() {
    ask eval '(() => { const c = document.querySelector("canvas"), r = c.getBoundingClientRect(); return [Math.round(r.left), Math.round(r.top), r.width / c.width].join(" "); })()'
    read -r left top scale <<<"${reply//\"/}"
}
