#!/usr/bin/env bash
# The program as a user starts it, seen from outside the process: what it says
# without a display, what the window system receives from its windows (titles,
# window types, boxes), and how the real end button ends it.
#
#   program_test.sh no_display|dead_display|options|no_fonts|desktop PROGRAM
#   program_test.sh manual_page PROGRAM MANUAL_PAGE
#
# "desktop" runs the program on a virtual X display with a window manager
# (Xvfb, openbox; xprop and xdotool read and drive it); without those tools it
# reports SKIP (exit 77). scripts/test installs them.
set -u
what=$1
program=$2
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -s "$work/stderr" ] && { echo "--- the program's stderr:"; cat "$work/stderr"; }
    exit 1
}

# Runs the program without any display and checks its words and exit status.
# $1: what to set for the run (an assignment or nothing); $2: a phrase the
# reason must name.
no_screen() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE $1 \
        "$program" >"$work/stdout" 2>"$work/stderr"
    local status=$?
    [ "$status" = 1 ] || fail "exit status $status, expected 1"
    grep -q "er kon geen beeldscherm worden geopend" "$work/stderr" || fail "no Dutch words"
    grep -q "no screen could be opened" "$work/stderr" || fail "no English words"
    grep -qF "$2" "$work/stderr" || fail "the reason does not name $2"
    grep -qi "reinstall" "$work/stderr" && fail "Qt's advice to reinstall is still there"
    grep -qx "" "$work/stderr" || fail "no empty line between the two languages"
    echo "exit status 1 and: $(head -n 2 "$work/stderr" | tail -n 1)"
}

case $what in
no_display)
    no_screen "" "DISPLAY en WAYLAND_DISPLAY zijn leeg"
    exit 0
    ;;
dead_display)
    no_screen "DISPLAY=:9999" "\":9999\""
    exit 0
    ;;
options)
    # --help and --version need no screen.
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help >"$work/stdout" \
        2>"$work/stderr" || fail "--help: exit status $?"
    grep -q -- "--volledig-scherm" "$work/stdout" || fail "--help does not list --volledig-scherm"
    grep -q -- "--lettergrootte, --letter-size <N>" "$work/stdout" ||
        fail "--help does not list --lettergrootte"
    grep -q "^Gebruik: klankflits \[opties\]$" "$work/stdout" ||
        fail "--help: $(head -n 1 "$work/stdout")"
    grep -q "^Usage: klankflits \[options\]$" "$work/stdout" || fail "--help: no English usage"
    grep -q "Toont deze hulp" "$work/stdout" || fail "--help: its own line is not in Dutch"
    # Every material's key with its caption, every order's key.
    for key in ccv mkm-kort mkm-lang mkm-tweeteken mmkm mkmm mmkmm drie-medeklinkers ng-nk \
        twee-open twee-gesloten eigen willekeurig door-elkaar op-volgorde; do
        grep -q "^      $key  *[a-zA-Z]" "$work/stdout" || fail "--help does not list $key"
    done
    grep -q "twee-gesloten  *twee klankgroepen, de eerste gesloten" "$work/stdout" ||
        fail "--help: no caption for twee-gesloten"
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version)
    [[ $version =~ ^klankflits\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $version"
    echo "--help and --version answer without a screen: $version"
    # A wrong word is refused in both languages with status 2, before any
    # screen is needed: the runs have none.
    refused() { # the arguments; then $named, $dutch and $english are checked
        env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY= timeout 20 "$program" "$@" \
            >"$work/stdout" 2>"$work/stderr"
        status=$?
        local words
        words=$(printf '%s ' "${@:1:3}" | cut -c1-80 | cat -v)
        [ "$status" = 2 ] || fail "$words: exit status $status, expected 2"
        grep -qF -- "$named" "$work/stderr" || fail "$words: the message does not name $named"
        grep -q "^klankflits: .*$dutch.* Zie klankflits --help\.$" "$work/stderr" ||
            fail "$words: no Dutch line"
        grep -q "^klankflits: .*$english.* See klankflits --help\.$" "$work/stderr" ||
            fail "$words: no English line"
        [ -s "$work/stdout" ] && fail "$words: wrote to stdout"
        echo "$words: exit status 2 and: $(head -c 200 "$work/stderr" | head -n 1)"
    }
    while IFS='|' read -r words named dutch english; do
        read -r -a argv <<<"$words"
        refused "${argv[@]}"
    done <<'ROWS'
--volledig-scherm=1|"--volledig-scherm"|neemt geen waarde|takes no value
--full-screen=ja|"--full-screen"|neemt geen waarde|takes no value
-f=1|"-f"|neemt geen waarde|takes no value
--onbekend|"--onbekend"|bestaat niet|there is no option
-x|"-x"|bestaat niet|there is no option
-fx|"-x"|bestaat niet|there is no option
abc|"abc"|hoort bij geen optie|belongs to no option
-f extra|"extra"|hoort bij geen optie|belongs to no option
-- -f|"-f"|hoort bij geen optie|belongs to no option
-style Fusion --onbekend|"--onbekend"|bestaat niet|there is no option
-platform xcb -f extra|"extra"|hoort bij geen optie|belongs to no option
--lettergrootte 9|"9"|de lettergrootte is 1, 2, 3 of 4|the letter size is 1, 2, 3 or 4
--letter-size=twee|"twee"|de lettergrootte is 1, 2, 3 of 4|the letter size is 1, 2, 3 or 4
--lettergrootte 2 --letter-size 9|"9"|de lettergrootte is 1, 2, 3 of 4|the letter size is 1, 2, 3 or 4
--lettergrootte|"--lettergrootte"|heeft een waarde nodig|needs a value
--lettergrootte 2 extra|"extra"|hoort bij geen optie|belongs to no option
--letters blauw|"blauw"|de letters zijn school of gewoon|the letters are school or gewoon
--schoolletters=ja|"--schoolletters"|neemt geen waarde|takes no value
--oefenstof kat|"kat"|de oefenstof|there is no material
--material=mkm-kort --oefenstof MKM-KORT|"MKM-KORT"|de oefenstof|there is no material
--volgorde random|"random"|de volgorde|there is no order
--order=op-volgorde --volgorde=|""|de volgorde|there is no order
--lijst /nergens/week1.txt|"/nergens/week1.txt"|de lijst .* kan niet worden gelezen|the list .* cannot be read
--list /|"/"|de lijst .* kan niet worden gelezen|the list .* cannot be read
--oefenstof|"--oefenstof"|heeft een waarde nodig|needs a value
ROWS
    # A list the program cannot take: the message names the file and the line.
    printf 'kat\nmaan\nh@us\n' >"$work/week 2.txt"
    named="\"$work/week 2.txt\"" dutch="Regel 3: \"h@us\"" english="see its line 3" \
        refused --lijst "$work/week 2.txt"
    printf '\n \n' >"$work/leeg.txt"
    named=leeg.txt dutch="De lijst is leeg" english="holds no item" refused --list "$work/leeg.txt"
    # A long value by its first 40 characters; a direction or control
    # character by its code, so that the terminal line stays as it was.
    named="\"$(printf 'x%.0s' {1..40})…\"" dutch=lettergrootte english="letter size" \
        refused --lettergrootte "$(printf 'x%.0s' {1..100000})"
    [ "$(wc -c <"$work/stderr")" -lt 400 ] || fail "a long value: $(wc -c <"$work/stderr") bytes"
    named='"<U+202E>2<U+001B>[2J"' dutch=optie english=option refused $'\u202e2\e[2J'
    grep -q $'\u202e\|\e' "$work/stderr" && fail "the characters themselves are on stderr"
    # Given twice, the last counts: a right letter size after a wrong one
    # passes, on to the missing screen.
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY= "$program" --lettergrootte 9 \
        --letter-size 2 >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" = 1 ] || fail "--lettergrootte 9 --letter-size 2: exit status $status, expected 1"
    grep -q "no screen could be opened" "$work/stderr" || fail "--lettergrootte 9 --letter-size 2"
    echo "--lettergrootte 9 --letter-size 2: passes the command line, exit status 1"
    # A good choice of material passes too, the list read from its file.
    printf 'kat\r\nmaan\r\nde kat\r\n' >"$work/week 3.txt"
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY= "$program" --oefenstof kat \
        --material twee-open --volgorde op-volgorde --lijst "$work/week 3.txt" \
        >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" = 1 ] || fail "a good material, order and list: exit status $status, expected 1"
    grep -q "no screen could be opened" "$work/stderr" || fail "a good material, order and list"
    echo "--oefenstof, --volgorde and --lijst as they should be: pass the command line"
    # Qt's own options still answer --help with the program's text.
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" -platform offscreen --help \
        >"$work/stdout" 2>"$work/stderr" || fail "-platform offscreen --help: exit status $?"
    grep -q -- "--volledig-scherm" "$work/stdout" || fail "-platform offscreen --help: no help"
    exit 0
    ;;
no_fonts)
    # A fontconfig that finds no font at all: one warning in both languages,
    # and the program goes on (it is ended here once the warning is out).
    mkdir "$work/cache"
    printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' \
        "$work/cache" >"$work/fonts.conf"
    FONTCONFIG_FILE="$work/fonts.conf" QT_QPA_PLATFORM=offscreen "$program" \
        >"$work/stdout" 2>"$work/stderr" &
    program_pid=$!
    pids+=($program_pid)
    for _ in $(seq 100); do
        grep -q "no font" "$work/stderr" && break
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended without fonts"
        sleep 0.1
    done
    grep -q "no font" "$work/stderr" || fail "no warning without fonts"
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended after the warning"
    grep -q "geen enkel lettertype" "$work/stderr" || fail "no Dutch words"
    [ "$(grep -c "no font" "$work/stderr")" = 1 ] || fail "the warning more than once"
    echo "without fonts: $(head -n 1 "$work/stderr")"
    exit 0
    ;;
manual_page)
    # Every option of --help is in the manual page's list of options, and
    # every option listed there is in --help.
    manual=$3
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help >"$work/stdout" ||
        fail "--help: exit status $?"
    grep -E '^  -' "$work/stdout" | grep -oE -- '--?[a-z][a-z-]*' | sort >"$work/help"
    sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$manual" | grep -A1 -x '\.TP' | grep -v -x '\.TP\|--' |
        sed 's/\\-/-/g; s/\\f[A-Z]//g' | grep -oE -- '(^|[ "])--?[a-z][a-z-]*' |
        tr -d ' "' | sort >"$work/manual"
    [ -s "$work/help" ] || fail "no options in --help"
    diff "$work/help" "$work/manual" >"$work/diff" ||
        fail "--help (<) and the manual page (>) differ: $(cat "$work/diff")"
    echo "the manual page lists the options of --help: $(tr '\n' ' ' <"$work/help")"
    exit 0
    ;;
desktop) ;;
*)
    echo "usage: program_test.sh no_display|dead_display|options|no_fonts|desktop|manual_page PROGRAM" >&2
    exit 2
    ;;
esac

# In the sanitizer build: libxkbcommon-x11 (Debian 12) hands strndup a length
# past the end of a string that does end in time; AddressSanitizer's strndup
# checks the whole length and would stop the program at start-up.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}intercept_strndup=0"

for tool in Xvfb openbox xprop xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# The screen is also a file (XWD), for what the program draws.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -fbdir "$work" -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
# The window manager's frame and atoms are what this test reads: wait for it
# (a loaded machine may take a while), and say so if it never came.
wm_up=0
for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && { wm_up=1; break; }
    sleep 0.1
done
[ "$wm_up" = 1 ] || fail "openbox did not come up within 30 s"

# The pointer, drawn into the screen, out of the windows' way.
xdotool mousemove 0 0

# As in an ordinary session, but without XDG_RUNTIME_DIR and without a session
# bus (so no screen saver to keep the screen on with): nothing on stderr.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS "$program" \
    >"$work/stdout" 2>"$work/stderr" &
program_pid=$!
pids+=($program_pid)

window_named() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window named '$1'"
    echo "$id"
}

# The height in pixels of the ink (dark pixels) in the middle of the window
# $1, where the syllable shows, clear of the buttons and the read-outs; 0
# while nothing is drawn there. Read from Xvfb's screen file: an XWD header
# (big-endian) and its colours, then 32-bit pixels in the machine's order.
middle_ink_height() {
    local X Y WIDTH HEIGHT SCREEN WINDOW fb=$work/Xvfb_screen0
    eval "$(xdotool getwindowgeometry --shell "$1")"
    local start line_bytes
    read -r start line_bytes < <(od -An -v -tu1 -N 100 "$fb" | awk '
        { for (i = 1; i <= NF; i++) b[n++] = $i }
        function be(at) { return ((b[at] * 256 + b[at + 1]) * 256 + b[at + 2]) * 256 + b[at + 3] }
        END { print be(0) + 12 * be(76), be(48) }')
    od -An -v -tu4 -w"$line_bytes" -j $((start + (Y + 100) * line_bytes)) -N $((380 * line_bytes)) "$fb" |
        awk -v from=$((X + 150)) -v to=$((X + 750)) '
        {
            for (x = from + 1; x <= to + 1; x++) {
                p = $x
                if (p % 256 < 100 && int(p / 256) % 256 < 100 && int(p / 65536) % 256 < 100) {
                    if (top == "") top = NR
                    bottom = NR
                    break
                }
            }
        }
        END { print top == "" ? 0 : bottom - top + 1 }'
}

# Waits for the exercise window's empty middle (the settings window may show
# there until it is painted), then for the syllable, and gives its ink height.
syllable_height() {
    local height previous=0
    for until in empty ink; do
        for _ in $(seq 100); do
            height=$(middle_ink_height "$1")
            [ "$until" = empty ] && [ "$height" = 0 ] && break
            # The same height twice: the syllable is painted whole, not caught
            # halfway through the paint.
            [ "$until" = ink ] && [ "$height" -gt 0 ] && [ "$height" = "$previous" ] && break
            previous=$height
            sleep 0.1
        done
    done
    echo "$height"
}

# The title exactly as the caption, an ordinary window, a minimise box and no
# maximise box (the layout cannot grow).
check_window() {
    local id=$1 title=$2
    local name type actions
    name=$(xprop -id "$id" _NET_WM_NAME)
    [ "$name" = "_NET_WM_NAME(UTF8_STRING) = \"$title\"" ] || fail "title: $name"
    type=$(xprop -id "$id" _NET_WM_WINDOW_TYPE)
    case $type in
    *_NET_WM_WINDOW_TYPE_NORMAL*) ;;
    *) fail "'$title' is no normal window: $type" ;;
    esac
    case $type in *DIALOG*) fail "'$title' is still a dialog: $type" ;; esac
    xprop -id "$id" WM_TRANSIENT_FOR | grep -q "window id" && fail "'$title' is transient"
    actions=$(xprop -id "$id" _NET_WM_ALLOWED_ACTIONS)
    case $actions in *MINIMIZE*) ;; *) fail "'$title' has no minimise box: $actions" ;; esac
    echo "'$title': $name; $type"
}

settings=$(window_named "Form1")
check_window "$settings" "Form1"
xprop -id "$settings" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE &&
    fail "the settings window cannot grow, yet offers to maximise"
xdotool windowactivate --sync "$settings" key --clearmodifiers alt+s
exercise=$(window_named "ZVK van CCV-structuren")
check_window "$exercise" "ZVK van CCV-structuren"
# 24 points bold: an em of 32 pixels, letters from x-height to ascender and
# descender at most 1.5 em high.
height=$(syllable_height "$exercise")
[ "$height" -gt 0 ] && [ "$height" -le 48 ] || fail "the syllable at its own size: $height px high"
echo "the syllable: $height px high"

# The focus starts on Einde: Space ends the program, with exit status 0.
xdotool windowactivate --sync "$exercise" key --clearmodifiers space
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not end after Space on Einde"
wait "$program_pid"
status=$?
[ "$status" = 0 ] || fail "exit status $status after Einde"
[ -s "$work/stderr" ] && fail "the program wrote to stderr"
echo "Space on Einde: exit status 0, nothing on stderr"

# For a classroom board: the exercise window opens full screen; Esc leaves it,
# F11 goes back.
full_screen() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$program" --volledig-scherm \
    >"$work/stdout" 2>"$work/stderr" &
program_pid=$!
pids+=($program_pid)
settings=$(window_named "Form1")
full_screen "$settings" && fail "the settings window is full screen too"
xdotool windowactivate --sync "$settings" key --clearmodifiers alt+s
exercise=$(window_named "ZVK van CCV-structuren")
for _ in $(seq 50); do full_screen "$exercise" && break; sleep 0.1; done
full_screen "$exercise" || fail "--volledig-scherm: the exercise window is not full screen"
xdotool windowactivate --sync "$exercise" key Escape
for _ in $(seq 50); do full_screen "$exercise" || break; sleep 0.1; done
full_screen "$exercise" && fail "Esc did not leave full screen"
xdotool windowactivate --sync "$exercise" key F11
for _ in $(seq 50); do full_screen "$exercise" && break; sleep 0.1; done
full_screen "$exercise" || fail "F11 did not go full screen"
xdotool windowactivate --sync "$exercise" key --clearmodifiers alt+e
wait "$program_pid"
status=$?
[ "$status" = 0 ] || fail "exit status $status after Alt+E"
echo "--volledig-scherm, Esc and F11: full screen as asked; Alt+E: exit status 0"

# --lettergrootte 4: the syllable four times as large, an em of 128 pixels,
# so even one without a tall letter is higher than any at its own size.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$program" --lettergrootte 4 \
    >"$work/stdout" 2>"$work/stderr" &
program_pid=$!
pids+=($program_pid)
settings=$(window_named "Form1")
xdotool windowactivate --sync "$settings" key --clearmodifiers alt+s
exercise=$(window_named "ZVK van CCV-structuren")
height=$(syllable_height "$exercise")
[ "$height" -gt 48 ] || fail "--lettergrootte 4: the syllable is $height px high"
xdotool windowactivate --sync "$exercise" key --clearmodifiers alt+e
wait "$program_pid"
status=$?
[ "$status" = 0 ] || fail "exit status $status after Alt+E"
echo "--lettergrootte 4: the syllable $height px high; Alt+E: exit status 0"
