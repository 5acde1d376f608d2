#!/usr/bin/env bash
# End-to-end smoke test: the real program on a virtual X screen with a window
# manager, driven by real key presses and mouse clicks, as a user would. Each
# step saves the document and compares the file with the bytes it must hold.
#
# Usage: smoke.sh PROGRAM OUTPUT_DIR   (screenshots of failed steps go to OUTPUT_DIR)
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM OUTPUT_DIR" >&2
    exit 2
fi
PROGRAM="$(realpath "$1")"
SHOT_DIR="$(realpath "$2")"
HERE="$(cd "$(dirname "$0")" && pwd)"

# Never type into the user's own display: always start a private virtual one.
if [ -z "${VEXEL_SMOKE_ON_XVFB:-}" ]; then
    for tool in xvfb-run xauth xdotool openbox xclip xxd; do
        command -v "$tool" >/dev/null 2>&1 \
            || { echo "smoke test needs '$tool': run scripts/install-deps.sh" >&2; exit 1; }
    done
    export VEXEL_SMOKE_ON_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$0" "$@" </dev/null
fi

source "$HERE/x11-helpers.sh"

WORK="$(mktemp -d "${TMPDIR:-/tmp}/vexel-smoke.XXXXXX")"
APP_PID=""
WM_PID=""

clean_up()
{
    local status=$?
    # Each runs in a process group of its own, which goes as a whole.
    for pid in $APP_PID $WM_PID; do
        kill -TERM -- "-$pid" 2>/dev/null || true
    done
    # A program stuck in a modal loop may ignore the polite request.
    for pid in $APP_PID $WM_PID; do
        poll_gone "$pid" || kill -KILL -- "-$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$WORK"
    exit "$status"
}
trap clean_up EXIT
trap 'exit 1' INT TERM HUP

gone() { ! kill -0 "$1" 2>/dev/null; }
poll_gone() { SMOKE_WAIT=5 poll gone "$1"; }

# Nothing of the test lands in the home folder.
export VEXEL_PROFILE_DIR="$WORK/profile"
export XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$VEXEL_PROFILE_DIR" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$SHOT_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

# --- The bytes: 00..3F, with "10 11" again at 0x30 and "20 21" again at 0x38.
orig=()
for i in $(seq 0 63); do orig+=("$(printf '%02x' "$i")"); done
orig[48]=10 orig[49]=11 orig[56]=20 orig[57]=21

FILE="$WORK/sample.bin"
EXPECTED="$WORK/expected.bin"
hex_to_file "${orig[*]}" "$FILE"

save_and_expect()
{
    hex_to_file "$1" "$EXPECTED"
    keys ctrl+s
    wait_bytes "$EXPECTED" "$FILE"
}

step "start window manager"
setsid openbox --sm-disable </dev/null >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
# get_desktop answers only once a window manager runs.
poll xdo get_desktop >/dev/null 2>&1 || fail "openbox did not start"

step "open file"
APP_LOG="$WORK/vexel.log"
setsid "$PROGRAM" "$FILE" </dev/null >"$APP_LOG" 2>&1 &
APP_PID=$!
MAIN_WINDOW="$(wait_window '^Vexel' | head -n 1)"
xdo windowactivate --sync "$MAIN_WINDOW" 2>/dev/null || fail "cannot activate the main window"

step "type digits in insert mode"
# The hex pane has the focus; each pair of digits inserts one byte at the caret.
type_text "a1b2"
save_and_expect "a1 b2 ${orig[*]}"

step "type digits in overwrite mode"
keys Insert
type_text "c3"
state=(a1 b2 c3 "${orig[@]:1}")
save_and_expect "${state[*]}"

step "find from the toolbar box"
# Ctrl+F puts the focus in the box; Return finds downward from the caret and
# selects the hit; typing over a selection replaces it.
keys ctrl+f
type_text "1011"
keys Return
type_text "dd"
state=(a1 b2 c3 "${orig[@]:1:15}" dd "${orig[@]:18}")
save_and_expect "${state[*]}"

step "find a prefix of a remembered text"
# "1011" is in the history now: "10" must be searched as typed, not completed.
keys ctrl+f
type_text "10"
keys Return
type_text "ee"
state[49]=ee
save_and_expect "${state[*]}"

step "replace all"
keys alt+e e
DIALOG="$(wait_window '^置換$' | head -n 1)"
# The find text starts selected, so typing replaces the remembered one.
type_text "2021"
keys alt+p
type_text "fe"
# The third button of the right column: すべて置換.
width="$(xdo getwindowgeometry --shell "$DIALOG" | sed -n 's/^WIDTH=//p')"
click_in "$DIALOG" $((width - 60)) 78
# The box telling the count has the same title as the dialog.
BOX="$(wait_new_window '^置換$' "$DIALOG")"
poll is_active "$BOX" || fail "the count box did not get the focus"
keys Return
# After a replacement the dialog closes with the box.
wait_window_gone '^置換$'
state_text="${state[*]}"
save_and_expect "${state_text//20 21/fe}"

step "cut in the toolbar box"
# Ctrl+A and Ctrl+X belong to the box while it has the focus: its text goes
# to the clipboard and the document keeps its bytes.
keys ctrl+f
keys ctrl+a ctrl+x
poll clipboard_is "10" || fail "the clipboard holds '$(clipboard)', not the box's text"
save_and_expect "${state_text//20 21/fe}"

step "help window"
# F1 opens the bundled help in a window of the program; Escape closes it.
keys Escape
keys F1
wait_window '^Vexel ヘルプ$' >/dev/null
keys Escape
wait_window_gone '^Vexel ヘルプ$'
xdo windowactivate --sync "$MAIN_WINDOW" 2>/dev/null || fail "cannot activate the main window"

step "a second window on the same file"
# Window > new window, then tile: the new view has the focus, its caret at 0,
# still in overwrite mode. What it types and undoes is what both save.
keys alt+w e
keys alt+w t
final_text="${state_text//20 21/fe}"
type_text "99"
save_and_expect "99 ${final_text#* }"
keys ctrl+a Delete
save_and_expect ""
keys ctrl+z
save_and_expect "99 ${final_text#* }"

step "eight bytes a line from the common settings"
# Options > 共通設定, the line length typed over: Down then moves the caret
# by eight bytes. The length goes back to sixteen for the steps after.
set_bytes_per_line()
{
    keys alt+o m
    wait_window '^共通設定$' >/dev/null
    keys alt+c ctrl+a
    type_text "$1"
    keys Return
    wait_window_gone '^共通設定$'
}
set_bytes_per_line 8
keys ctrl+Home Down
type_text "77"
eight=(99 ${final_text#* })
eight[8]=77
save_and_expect "${eight[*]}"
set_bytes_per_line 16

step "the checksum box copies the sums of the whole file"
# Select all, Edit > チェックサム, its copy button: the SHA-256 line names
# what sha256sum says of the saved file.
keys ctrl+a alt+e k
wait_window '^チェックサム$' >/dev/null
keys alt+c
sha256_line="SHA-256: $(sha256sum "$FILE" | cut -d' ' -f1)"
poll clipboard_has_line "$sha256_line" || fail "the clipboard holds '$(clipboard)', not '$sha256_line'"
keys Escape
wait_window_gone '^チェックサム$'

step "quit"
keys alt+F4
poll gone "$APP_PID" || fail "the program did not end"
status=0
wait "$APP_PID" || status=$?
APP_PID=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
cmp "$EXPECTED" "$FILE" || fail "quitting changed the file"
grep -qa "1011" "$VEXEL_PROFILE_DIR/vexel.DAT" || fail "the data file does not hold the find history"

step "open a text file at a line; the find history is back"
# /L2 opens the file as a text document with the caret on its second line;
# Shift+End selects to the line's end and Ctrl+C copies exactly those bytes.
TEXT="$WORK/notes.txt"
printf 'first line\r\nsecond line\r\nthird\r\n' >"$TEXT"
setsid "$PROGRAM" /L2 "$TEXT" </dev/null >>"$APP_LOG" 2>&1 &
APP_PID=$!
TEXT_WINDOW="$(wait_window '^Vexel' | head -n 1)"
xdo windowactivate --sync "$TEXT_WINDOW" 2>/dev/null || fail "cannot activate the text window"
keys shift+End ctrl+c
poll clipboard_is "second line" || fail "the clipboard holds '$(clipboard)', not the second line"
# The find box lists what the last run searched, newest first.
keys ctrl+f Down ctrl+a ctrl+c
poll clipboard_is "10" || fail "the find box's first entry is '$(clipboard)', not the last run's"
keys alt+F4
poll gone "$APP_PID" || fail "the program did not end"
wait "$APP_PID" || fail "the program ended with an error"
APP_PID=""

step "the documents of the last run are reopened where they were"
# No file named: the cabinet written at the last close brings back both files,
# the text one active with its caret still on the second line.
setsid "$PROGRAM" </dev/null >>"$APP_LOG" 2>&1 &
APP_PID=$!
RESTORED_WINDOW="$(wait_window 'notes.txt' | head -n 1)"
xdo windowactivate --sync "$RESTORED_WINDOW" 2>/dev/null || fail "cannot activate the restored window"
keys Home shift+End ctrl+c
poll clipboard_is "second line" || fail "the restored caret is not on the second line: '$(clipboard)'"
keys ctrl+Tab
poll xdo search --onlyvisible --name "sample.bin" >/dev/null 2>&1 || fail "the binary file was not reopened"
keys alt+F4
poll gone "$APP_PID" || fail "the program did not end"
wait "$APP_PID" || fail "the program ended with an error"
APP_PID=""

step "a key assigned in the customise sheet acts after a restart"
# Options > カスタマイズ; the 21st menu command is すべてを選択: F5 typed into the
# key box, Tab to 追加 and Space, Return for OK. The next run selects all
# with F5, and Ctrl+C copies the whole file.
KEYED="$WORK/keyed.bin"
printf 'keyed bytes' >"$KEYED"
setsid "$PROGRAM" "$KEYED" </dev/null >>"$APP_LOG" 2>&1 &
APP_PID=$!
KEY_WINDOW="$(wait_window '^Vexel' | head -n 1)"
xdo windowactivate --sync "$KEY_WINDOW" 2>/dev/null || fail "cannot activate the main window"
keys alt+o u
wait_window '^カスタマイズ$' >/dev/null
keys Home $(printf 'Down %.0s' $(seq 20))
keys alt+y
type_text "F5"
keys Tab space Return
wait_window_gone '^カスタマイズ$'
keys alt+F4
poll gone "$APP_PID" || fail "the program did not end"
wait "$APP_PID" || fail "the program ended with an error"
[ -s "$VEXEL_PROFILE_DIR/vexel.key" ] || fail "no key file was written"
setsid "$PROGRAM" "$KEYED" </dev/null >>"$APP_LOG" 2>&1 &
APP_PID=$!
KEY_WINDOW="$(wait_window '^Vexel' | head -n 1)"
xdo windowactivate --sync "$KEY_WINDOW" 2>/dev/null || fail "cannot activate the main window"
keys F5 ctrl+c
poll clipboard_holds "$KEYED" || fail "F5 and Ctrl+C copied '$(clipboard)', not the whole file"

step "the page layout is kept in the data file"
# File > ページレイアウトの設定, 25 mm typed as the top margin, OK: at exit the
# data file holds 250 tenths of a millimetre at offset 68.
keys alt+f l
wait_window '^ページレイアウトの設定$' >/dev/null
keys alt+t ctrl+a
type_text "25"
keys Return
wait_window_gone '^ページレイアウトの設定$'

step "the print preview opens on the first page and closes"
# File > 印刷プレビュー shows its window at once; Page Down turns a page (the
# file has one, so it stays); Escape closes it and the editor goes on.
keys alt+f v
wait_window '^印刷プレビュー$' >/dev/null
keys Next Escape
wait_window_gone '^印刷プレビュー$'

step "the data inspector shown from the View menu is kept in the profile"
keys alt+v d
keys alt+F4
poll gone "$APP_PID" || fail "the program did not end"
wait "$APP_PID" || fail "the program ended with an error"
APP_PID=""
grep -q '^DisplayInspector=1' "$VEXEL_PROFILE_DIR/vexel.ini" || fail "the profile does not keep the inspector shown"
[ "$(xxd -p -s 68 -l 4 "$VEXEL_PROFILE_DIR/vexel.DAT")" = "fa000000" ] \
    || fail "the data file holds the top margin $(xxd -p -s 68 -l 4 "$VEXEL_PROFILE_DIR/vexel.DAT")"

step "the cabinet named by /A is read at start and written at exit"
# A cabinet of the older 16-bit layout with fold column 72: at exit it is
# written again in the current layout, still with fold column 72.
CABINET="$WORK/old.cab"
{
    printf '\x00\x00\x04\x00'                                  # no records; settings at 4
    printf '\x48\x00\x04\x00'; head -c 22 /dev/zero                # fold column, tab width, 2 to 12
    printf '\x01\x80\x02\x80\x03\x00\x04\x00\x05\x00\x06\x00'   # colours 13 to 23 as
    printf '\x07\x00\x08\x00\x09\x00\x0a\x00\x0b\x80'           # palette numbers
    printf '\x00\x00\x00\x00\x0e\x00\x00\x00\x00\x00\x00\x00\x90\x01' # 24, 25, 26 to 30
    printf '\x00\x00\x00\x80\x01\x02\x01\x31Gothic'; head -c 26 /dev/zero
    printf '\x00\x00'                                          # no names
} >"$CABINET"
setsid "$PROGRAM" /A="$CABINET" </dev/null >>"$APP_LOG" 2>&1 &
APP_PID=$!
CAB_WINDOW="$(wait_window '^Vexel' | head -n 1)"
xdo windowactivate --sync "$CAB_WINDOW" 2>/dev/null || fail "cannot activate the main window"
keys alt+F4
poll gone "$APP_PID" || fail "the program did not end"
wait "$APP_PID" || fail "the program ended with an error"
APP_PID=""
[ "$(xxd -p -l 12 "$CABINET")" = "000000010800000048000000" ] \
    || fail "the cabinet was written as $(xxd -p -l 12 "$CABINET")"

step "a cabinet the program cannot read is kept"
# The message says the cabinet is unreadable; at exit the file is kept
# beside the new one, which holds the settings in effect.
BAD="$WORK/bad.cab"
printf 'no cabinet of any layout\r\n' >"$BAD"
cp "$BAD" "$WORK/bad.copy"
setsid "$PROGRAM" /A="$BAD" </dev/null >>"$APP_LOG" 2>&1 &
APP_PID=$!
# The box and the still empty main window both bear the program's name.
two_named() { [ "$(xdo search --onlyvisible --name '^Vexel$' 2>/dev/null | wc -l)" -ge 2 ]; }
poll two_named || fail "no message about the unreadable cabinet"
keys Return
one_named() { [ "$(xdo search --onlyvisible --name '^Vexel$' 2>/dev/null | wc -l)" -eq 1 ]; }
poll one_named || fail "the message about the cabinet did not close"
BAD_WINDOW="$(wait_window '^Vexel$' | head -n 1)"
xdo windowactivate --sync "$BAD_WINDOW" 2>/dev/null || fail "cannot activate the main window"
keys alt+F4
poll gone "$APP_PID" || fail "the program did not end"
wait "$APP_PID" || fail "the program ended with an error"
APP_PID=""
cmp "$BAD.unread" "$WORK/bad.copy" || fail "the unreadable cabinet was not kept"
[ "$(xxd -p -l 4 "$BAD")" = "00000001" ] || fail "no new cabinet was written in its place"
# Back to the cabinet of the earlier steps.
sed -i "s|^CabinetName=.*|CabinetName=$CABINET|" "$VEXEL_PROFILE_DIR/vexel.ini"
grep -q "^CabinetName=$CABINET" "$VEXEL_PROFILE_DIR/vexel.ini" || fail "the profile names no cabinet"

step "format by template"
# Seven bytes selected with Shift+Right, Edit > 整形, the template's name typed:
# the "Table" document holds what vexel --format writes for those bytes.
REC="$WORK/record.bin"
OTHER="$WORK/record2.bin"
TEMPLATE="$WORK/record.tpl"
printf 'ABCD\x02\x01\xff\x11' >"$REC"
printf 'ABCd\x02\x01\xff\x12' >"$OTHER"
printf 'Magic,4\r\nVersion,W\r\nFlags,B\r\n' >"$TEMPLATE"
# One instance from now on: a second start hands its file to the first.
INI="$VEXEL_PROFILE_DIR/vexel.ini"
if grep -q '^MultiInstance=' "$INI" 2>/dev/null; then
    sed -i 's/^MultiInstance=.*/MultiInstance=0/' "$INI"
else
    printf '[Settings]\r\nMultiInstance=0\r\n' >>"$INI"
fi
setsid "$PROGRAM" "$REC" </dev/null >>"$APP_LOG" 2>&1 &
APP_PID=$!
REC_WINDOW="$(wait_window '^Vexel' | head -n 1)"
xdo windowactivate --sync "$REC_WINDOW" 2>/dev/null || fail "cannot activate the main window"
keys shift+Right shift+Right shift+Right shift+Right shift+Right shift+Right shift+Right
keys alt+e s
wait_window '^整形$' >/dev/null
type_text "$TEMPLATE"
keys Return
wait_window_gone '^整形$'
"$PROGRAM" --format "$TEMPLATE" "$REC" --length 7 >"$WORK/table.txt"
keys ctrl+a ctrl+c
poll clipboard_holds "$WORK/table.txt" || fail "the table holds '$(clipboard)'"

step "compare with another open file"
# A second start hands its file over; Edit > 比較 lists the first file, Return
# takes it, and the result holds what vexel --compare writes.
timeout 10 "$PROGRAM" "$OTHER" </dev/null >>"$APP_LOG" 2>&1 || fail "the hand-over failed"
xdo windowactivate --sync "$REC_WINDOW" 2>/dev/null || fail "cannot activate the main window"
poll xdo search --onlyvisible --name "record2.bin" >/dev/null 2>&1 || fail "the handed-over file did not open"
keys alt+e m
wait_window '^比較$' >/dev/null
keys Return
wait_window_gone '^比較$'
status=0
"$PROGRAM" --compare "$OTHER" "$REC" >"$WORK/report.txt" || status=$?
[ "$status" -eq 1 ] || fail "vexel --compare answered $status for differing files"
keys ctrl+a ctrl+c
poll clipboard_holds "$WORK/report.txt" || fail "the compare result holds '$(clipboard)'"

step "find in the compare result"
# The find box searches a text document too; case is not told apart.
keys ctrl+f
type_text "abcd"
keys Return ctrl+c
poll clipboard_is "ABCD" || fail "the clipboard holds '$(clipboard)', not the found text"
keys alt+F4
# Each output document asks whether to keep it: no, to every box, as it comes.
for _ in $(seq 1 75); do
    gone "$APP_PID" && break
    box="$(xdo search --onlyvisible --name '^Vexel$' 2>/dev/null | head -n 1)"
    if [ -n "$box" ]; then
        xdo windowactivate --sync "$box" 2>/dev/null || true
        keys alt+n
    fi
    sleep 0.2
done
poll gone "$APP_PID" || fail "the program did not end"
wait "$APP_PID" || fail "the program ended with an error"
APP_PID=""

echo "smoke test passed"
