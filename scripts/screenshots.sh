#!/usr/bin/env bash
# Remakes the README's screenshots under a private Xvfb display:
#   docs/main-window.png  the main window on a small sample folder
#   docs/preview.png      the same window after "Print Preview"
#   docs/main-window-de-dark.png  the window in German on a dark desktop
#                         palette (qt6ct's "darker" colour scheme)
#   docs/typed-path.png   there, a path typed after Ctrl+L, completing
# The start-up window is captured too (build/screenshots/intro.png), for a
# look only. Nothing of the user's is touched: the sample folder and the
# settings live in a temporary folder removed on the way out.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
"$root/scripts/build.sh" foliotrace

docs="$root/docs"
extra="$root/build/screenshots"
mkdir -p "$docs" "$extra"

# A fixed place when free, so that the path the pictures show stays the same
# from one run to the next.
work="${TMPDIR:-/tmp}/foliotrace-screenshots"
mkdir "$work" 2>/dev/null || work=$(mktemp -d "${TMPDIR:-/tmp}/foliotrace-screenshots.XXXXXX")
xvfb_pid=""
app_pid=""
cleanup() {
    [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    [[ -n $app_pid ]] && wait "$app_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "screenshots: $*" >&2
    [[ -s $work/app.log ]] && sed 's/^/  foliotrace: /' "$work/app.log" >&2
    exit 1
}

# A sample tree with fixed dates, so the pictures only change when the
# program does.
sample="$work/Brambleworks Projects"
mkdir -p "$sample/Annual Report/Drafts" "$sample/Annual Report/Figures" \
         "$sample/Garden Plans/2025" "$sample/Invoices" "$sample/Photos/Summer"
make_file() { # path size-in-bytes
    head -c "$2" /dev/zero >"$sample/$1"
}
make_file "Annual Report/Drafts/report-v1.odt" 48213
make_file "Annual Report/Drafts/report-v2.odt" 51877
make_file "Annual Report/Figures/sales.png" 182344
make_file "Annual Report/Figures/costs.svg" 9120
make_file "Annual Report/report.pdf" 734002
make_file "Garden Plans/2025/beds.txt" 2310
make_file "Garden Plans/seeds.ods" 15360
make_file "Invoices/2025-001.pdf" 88011
make_file "Invoices/2025-002.pdf" 90124
make_file "Invoices/2025-003.pdf" 86540
make_file "Photos/Summer/beach.jpg" 2457600
make_file "Photos/Summer/pier.jpg" 1986560
make_file "Photos/index.html" 4096
make_file "notes.txt" 1536
make_file "todo.md" 812
find "$sample" -exec touch -d '2026-05-14 10:30' {} +

export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
export HOME="$work/home"
mkdir -p "$HOME"
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR

# The first display number nobody holds.
display=99
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do
    display=$((display + 1))
    ((display < 200)) || fail "no free X display between :99 and :199"
done
Xvfb ":$display" -screen 0 1280x800x24 -dpi 96 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb on :$display did not answer"

# Waits for a visible window with this exact name and prints its id.
wait_window() { # name timeout-seconds
    timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

# Captures one window once two captures in a row agree, so a repaint still
# under way is not caught half done.
capture() { # window-id file
    local previous="" current
    for _ in $(seq 40); do
        import -window "$1" "$work/shot.png" 2>/dev/null || true
        current=$(md5sum <"$work/shot.png" 2>/dev/null | cut -d' ' -f1)
        [[ -n $current && $current == "$previous" ]] && break
        previous=$current
        sleep 0.25
    done
    [[ -n $current ]] || fail "could not capture window $1"
    convert "$work/shot.png" -strip "$2"
}

# Clicks a point given in twips of the window's client area.
click_twips() { # window-id x y
    xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1
}

cd "$sample"
"$root/build/foliotrace" >"$work/app.log" 2>&1 &
app_pid=$!

intro=$(wait_window "Brambleworks: Utilities" 20) || true
[[ -n $intro ]] || fail "the start-up window did not appear"
capture "$intro" "$extra/intro.png"
xdotool windowfocus --sync "$intro" 2>/dev/null || true
xdotool key --clearmodifiers Return

main=$(wait_window "Foliotrace" 20) || true
[[ -n $main ]] || fail "the main window did not appear"
xdotool windowmove --sync "$main" 40 40 2>/dev/null || true
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 0.5

# Depth 3, typed into the depth list, so the preview shows the nesting.
click_twips "$main" 600 3990
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 50 3
xdotool key --clearmodifiers Tab
capture "$main" "$docs/main-window.png"

# "Print Preview": the button bar's first button, at the window's bottom.
read -r height < <(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
bar_top=$((height * 15 - 735))
click_twips "$main" 1100 $((bar_top + 360))
sleep 1
capture "$main" "$docs/preview.png"

# "Exit", then make sure the program is gone.
click_twips "$main" 7500 $((bar_top + 360))
for _ in $(seq 50); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "screenshots: foliotrace did not end on Exit; stopping it" >&2
else
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
fi

# German, on a dark palette as a desktop's Qt settings (qt6ct) give it.
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\nstyle=Fusion\n' \
    >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
LC_ALL=de_DE.UTF-8 LANGUAGE=de QT_QPA_PLATFORMTHEME=qt6ct "$root/build/foliotrace" >"$work/app.log" 2>&1 &
app_pid=$!
intro=$(wait_window "Brambleworks: Hilfsprogramme" 20) || true
[[ -n $intro ]] || fail "the German start-up window did not appear"
xdotool windowfocus --sync "$intro" 2>/dev/null || true
xdotool key --clearmodifiers Return
main=$(wait_window "Foliotrace" 20) || true
[[ -n $main ]] || fail "the German main window did not appear"
xdotool windowmove --sync "$main" 40 40 2>/dev/null || true
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 0.5
capture "$main" "$docs/main-window-de-dark.png"

# Ctrl+L, then the start of a path: the field offers the folders it may be.
xdotool key --clearmodifiers ctrl+l ctrl+a
xdotool type --delay 30 "$sample/A"
sleep 1
# The completion list is a window of its own: the screen around the main
# window holds both.
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$work/typed.png"
convert "$work/typed.png" +repage -strip "$docs/typed-path.png"
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
app_pid=""

echo "Wrote $docs/main-window.png, $docs/preview.png, $docs/main-window-de-dark.png, $docs/typed-path.png"
echo "(start-up window: $extra/intro.png)"
