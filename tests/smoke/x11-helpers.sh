# Helpers for driving a real window on the virtual X screen, sourced by smoke.sh.
# Every wait is bounded; a failed wait ends the test through fail().

# Seconds any single wait may take before the step is called failed.
: "${SMOKE_WAIT:=15}"

CURRENT_STEP="set-up"

# xdotool, never left waiting for longer than a step may take.
xdo()
{
    timeout "$SMOKE_WAIT" xdotool "$@"
}

step()
{
    CURRENT_STEP="$1"
    echo "== $CURRENT_STEP"
}

# The whole screen, for a look at what went wrong; only when ImageMagick is there.
screenshot()
{
    command -v import >/dev/null 2>&1 || return 0
    local shot="$SHOT_DIR/${1// /-}.png"
    timeout 10 import -window root "$shot" 2>/dev/null && echo "   screenshot: $shot"
}

fail()
{
    echo "FAILED at step '$CURRENT_STEP': $*" >&2
    if [ -s "${APP_LOG:-}" ]; then sed 's/^/   program: /' "$APP_LOG" >&2; fi
    screenshot "smoke-failed-$CURRENT_STEP"
    exit 1
}

# Runs a command again and again until it succeeds or SMOKE_WAIT seconds pass.
poll()
{
    local deadline=$((SECONDS + SMOKE_WAIT))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Ids of the visible windows whose title matches the pattern; waits for one.
wait_window()
{
    xdo search --sync --onlyvisible --name "$1" 2>/dev/null \
        || fail "no window titled '$1'"
}

# Waits for a window with that title other than the one given; prints its id.
wait_new_window()
{
    local deadline=$((SECONDS + SMOKE_WAIT)) id
    while [ "$SECONDS" -lt "$deadline" ]; do
        for id in $(xdo search --onlyvisible --name "$1" 2>/dev/null); do
            [ "$id" = "$2" ] || { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    fail "no second window titled '$1'"
}

is_active()
{
    [ "$(xdo getactivewindow 2>/dev/null)" = "$1" ]
}

no_window()
{
    ! xdo search --onlyvisible --name "$1" >/dev/null 2>&1
}

wait_window_gone()
{
    poll no_window "$1" || fail "window '$1' is still open"
}

# Keys and text go to whatever window has the focus, as a user's would.
keys()
{
    xdo key --delay 40 "$@" || fail "xdotool key $*"
}

type_text()
{
    xdo type --delay 40 "$1" || fail "xdotool type $1"
}

# Clicks at a point given relative to a window's top left corner.
click_in()
{
    xdo mousemove --sync --window "$1" "$2" "$3" click 1 || fail "click in window $1"
}

clipboard()
{
    timeout 5 xclip -o -selection clipboard 2>/dev/null
}

clipboard_is()
{
    [ "$(clipboard)" = "$1" ]
}

clipboard_has_line()
{
    clipboard | grep -qxF "$1"
}

# The clipboard holds exactly the bytes of the file, line ends and all.
clipboard_holds()
{
    timeout 5 xclip -o -selection clipboard 2>/dev/null | cmp -s - "$1"
}

# Bytes from a string of hexadecimal pairs.
hex_to_file()
{
    echo "$1" | xxd -r -p >"$2"
}

# Waits until the file holds exactly the expected bytes.
wait_bytes()
{
    local expected="$1" file="$2"
    if ! poll cmp -s "$expected" "$file"; then
        cmp "$expected" "$file" >&2 || true
        echo "   expected: $(xxd -p "$expected" | tr -d '\n')" >&2
        echo "   got:      $(xxd -p "$file" | tr -d '\n')" >&2
        fail "the file does not hold the expected bytes"
    fi
}
