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

# Whatever a failed step left: the ./runs' processes, then what the test itself started (ended
# gently, so that its X server removes its lock before the next run).
stop_everything() {
    local pid
    for pid in $(tagged_processes); do kill -KILL "$pid" 2>/dev/null; done
    for pid in "${test_pids[@]}"; do kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    return 0
}

poll() { # SECONDS COMMAND...: until COMMAND succeeds; fails after SECONDS
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

# Job control: every background job gets its own process group and keeps Ctrl+C's signal, which
# a script's background jobs otherwise ignore (and a ./run started so could not be interrupted).
set -m
rm -f "$PWD"/*.out "$PWD"/*.ready

# start_run NAME ENV...: ./run with the environment changes ENV (as for env(1)), in its own process
# group as from a terminal; its output goes to NAME.out, its process id to $run_pid_NAME.
start_run() {
    local name=$1; shift
    env "$@" MAPWELL_RUN_TEST_TAG="$tag" "$root/run" </dev/null >"$PWD/$name.out" 2>&1 &
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
    local pids count=0 address owner
    pids=" $(tagged_processes | tr '\n' ' ') "
    while read -r address owner; do
        [ -n "$owner" ] && [[ $pids == *" $owner "* ]] || continue
        count=$((count + 1))
        [[ $address == 127.0.0.1:* || $address == "[::1]:"* ]] || fail "./run listens on $address"
    done < <(ss -Htlnp | sed -n 's/^\S*\s*\S*\s*\S*\s*\(\S*\).*pid=\([0-9]*\).*/\1 \2/p')
    [ "$count" -ge 2 ] || fail "./run has $count listeners, expected the sharer's and the viewer's"
}

# The editor's main window on display $1 once the window manager has framed it, as
# "id x y width height" (its X window in root coordinates, which xwininfo gets right inside a
# frame).
editor_window() {
    local id
    id=$(DISPLAY=":$1" xdotool search --name '^Mapwell$' 2>/dev/null | head -1)
    [ -n "$id" ] || return 1
    xprop -display ":$1" -id "$id" _NET_FRAME_EXTENTS | grep -q = || return 1
    xwininfo -display ":$1" -id "$id" | awk -v id="$id" '/upper-left X/ { x = $NF }
        /upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF }
        END { print id, x, y, w, h }'
}

# The browser driver (browser.py) as a coprocess. ask COMMAND leaves its answer in $reply and
# fails when the browser could not do it.
start_browser() {
    coproc BROWSER { python3 "$here/browser.py" 2>"$PWD/browser.err"; }
    test_pids+=("$BROWSER_PID")
}
ask() {
    local command="$*"
    echo "${command//$'\n'/ }" >&"${BROWSER[1]}" # one command a line
    read -r -t 60 reply <&"${BROWSER[0]}" || fail "the browser gave no answer to: $1"
    [[ $reply != error:* ]]
}
stop_browser() {
    exec {BROWSER[1]}>&-
    wait "$BROWSER_PID"
}

viewer_connected() {
    ask eval 'document.documentElement.classList.contains("noVNC_connected")' &&
        [ "$reply" = true ]
}

# Where the viewer shows the remote screen on the page: sets left, top and scale.
viewer_canvas() {
    local canvas='document.querySelector("canvas")'
    ask eval "[Math.round($canvas.getBoundingClientRect().left),
               Math.round($canvas.getBoundingClientRect().top),
               $canvas.getBoundingClientRect().width / $canvas.width].join(' ')" ||
        fail "the viewer shows no screen: $reply"
    read -r left top scale <<<"${reply//\"/}"
}

# The viewer's screen is what is under page point ($1, $2), so a click there reaches the remote
# display: not its status notice, which slides over the top for a while after connecting.
canvas_at() {
    ask eval "!document.querySelector('#noVNC_status.noVNC_open') &&
        document.elementFromPoint($1, $2) === document.querySelector('canvas')" &&
        [ "$reply" = true ]
}
