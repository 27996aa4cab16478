#!/bin/sh
# Saves the program's main windows in Italian and in English as PNG pictures, for the README and the
# desktop metadata. Each run starts the program on a private virtual display, in a scratch portable program
# folder filled with the shipped sample data, so the pictures always show the program as built.
# The main and logging windows are also taken at twice the size (QT_SCALE_FACTOR=2, as on a high-density
# screen), on a 1920x1080 virtual screen, named with "-x2".
# Usage: tools/screenshots.sh <program> <output folder>
# QVMD_SHOT_SCALES (default "1 2") chooses the passes, e.g. "2" for the large pictures alone;
# QVMD_SHOT_SCREEN (e.g. 1920x1200) sets the virtual screen's size for every pass.
# Needs: xvfb xauth xdotool imagemagick.
set -eu
program=$(readlink -f "$1")
out=$2
source=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
work=$(mktemp -d)

xvfb=""
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM

# A private virtual display of the given size; the one before it is stopped.
screen() {
    [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; }
    for d in $(seq 60 89); do [ -e "/tmp/.X$d-lock" ] || { display=$d; break; }; done
    Xvfb ":$display" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    export DISPLAY=":$display"
}

# A portable program folder: the executable beside Data (the sample data), Logs and Backup.
layout() {
    folder=$work/$1
    rm -rf "$folder"
    mkdir -p "$folder/Data" "$folder/Logs" "$folder/Backup"
    cp "$program" "$folder/QV_md"
    cp "$source"/data/* "$folder/Data/"
    printf '%s\r\n' "$2" >"$folder/Data/Lang.dat"
}

# A registered station from the sample Lady roster.
register() {
    printf '%s\r\n' 1 1 5QV123 "MARIA GRAZIA DELL'ORTO" 01/05/2026 >"$1/Data/Prime.dat"
    printf '%s\r\n' 0 0 L 0 2026 5QV123 "MARIA GRAZIA DELL'ORTO" 5 QV 123 1 >"$1/Data/Use.dat"
}

# The registered station with a Lady log in use of four contacts.
with_log() {
    register "$1"
    printf '%s\r\n' 1 5QV123_MD_L_2026.Log L N 2026 5QV123 "MARIA GRAZIA DELL'ORTO" 5 QV 123 1 >"$1/Data/Use.dat"
    printf '%s\r\n' '##L' '#5QV123' "#MARIA GRAZIA DELL'ORTO" '#N' '#1' '#01/05/2026' '#5' '#QV' '#123' '#2026' '#LOG' \
        '1>5>1QV408>SARA FERRE>H>Canada>01/05/2026 08:12:40>N>' \
        '2>9>3QV2567>CATERINA BIANCHI>H>Agalega & St. Brandon>01/05/2026 09:31:05>N>' \
        '3>4>9QV467>MAITE PERO>L>Andaman & Nicobar Islands>01/05/2026 10:02:17>N>' \
        '4>12>4QV1919>G. DE ROSSI>H>Aland Islands>01/05/2026 11:45:51>N>' >"$1/Logs/5QV123_MD_L_2026.Log"
    printf '%s\r\n' 5 3 1 4 0 >"$1/Logs/Log.dat"
}

# The registered station with a Lady log of a full event: 32,000 contacts over the day, busiest at noon,
# every eleventh cancelled.
with_big_log() {
    register "$1"
    printf '%s\r\n' 1 5QV123_MD_L_2026.Log L N 2026 5QV123 "MARIA GRAZIA DELL'ORTO" 5 QV 123 1 >"$1/Data/Use.dat"
    {
        printf '%s\r\n' '##L' '#5QV123' "#MARIA GRAZIA DELL'ORTO" '#N' '#1' '#01/05/2026' '#5' '#QV' '#123' '#2026' '#LOG'
        awk 'BEGIN { srand(34); for (n = 1; n <= 32000; n++) {
            u = (rand() + rand() + rand()) / 3; t = int(6 * 3600 + u * 14 * 3600);
            printf "%d>%d>%dQV%d>OPERATOR %d>%s>Country>01/05/2026 %02d:%02d:%02d>%s>\r\n", n, n % 500 + 1,
                int(rand() * rand() * 340) + 1, n % 3000 + 1, n, (rand() < 0.3 ? "L" : "H"),
                int(t / 3600), int(t / 60) % 60, t % 60, (n % 11 ? "N" : "S") } }'
    } >"$1/Logs/5QV123_MD_L_2026.Log"
    printf '%s\r\n' 1 0 0 0 0 >"$1/Logs/Log.dat"
}

# Waits for a visible window whose title matches, other than those given after the title, and prints its id.
window() {
    title=$1
    shift
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | grep -vxF "$(printf '%s\n' "$@" 0)" | tail -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$app" 2>/dev/null || break
        sleep 0.05
    done
    echo "screenshots: no window titled '$title'" >&2
    return 1
}

shot() {
    sleep 0.7
    import -window "$1" "$out/$2.png"
    echo "screenshots: $out/$2.png"
}

start() {
    (cd "$work" && QT_SCALE_FACTOR=$scale exec "$1/QV_md" >"$1.log" 2>&1) &
    app=$!
}

stop() {
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=""
}

# Scale 1 takes every picture; a larger scale only the main and logging windows, on a larger screen.
for scale in ${QVMD_SHOT_SCALES:-1 2}; do
    suffix=""
    [ "$scale" = 1 ] || suffix="-x$scale"
    # The usual pictures on a 1280x900 screen; the larger ones on a real 1920x1080 one.
    default_screen=1280x900
    [ "$scale" = 1 ] || default_screen=1920x1080
    screen "${QVMD_SHOT_SCREEN:-$default_screen}"
    for language in it en; do
        offset=0
        [ "$language" = en ] && offset=1000

        if [ "$scale" = 1 ]; then
            # First start: the splash asks to register, the language window and the registration form follow.
            layout "first-$language" "$offset"
            start "$work/first-$language"
            splash=$(window '^QV_md$')
            shot "$splash" "splash-$language"
            xdotool windowfocus --sync "$splash" key Return
            # The language window offers Italian first: English is one step down. OK opens the registration form.
            choice=$(window . "$splash")
            if [ "$language" = en ]; then
                xdotool windowfocus --sync "$choice" key Down Return
            else
                xdotool windowfocus --sync "$choice" key Return
            fi
            shot "$(window '^QV_md$' "$splash" "$choice")" "registration-$language"
            stop
        fi

        # A registered station: the splash closes by itself and the main window opens.
        layout "registered-$language" "$offset"
        register "$work/registered-$language"
        start "$work/registered-$language"
        shot "$(window '^Marigold Day$')" "main-$language$suffix"
        stop

        # The logging window while a station already in the log is typed: the line under the entry row says
        # so and the grid shows the earlier contact. Open Log is the first button of the main window.
        layout "logging-$language" "$offset"
        with_log "$work/logging-$language"
        start "$work/logging-$language"
        main=$(window '^Marigold Day$')
        xdotool mousemove --window "$main" $((130 * scale)) $((160 * scale)) click 1
        logging=$(window . "$main")
        xdotool windowfocus --sync "$logging" type 3
        xdotool windowfocus --sync "$logging" key Return
        xdotool windowfocus --sync "$logging" type 2567
        shot "$logging" "logging-$language$suffix"
        stop

        if [ "$scale" = 1 ]; then
            # The statistics of a full event's log, opened with F9 from the logging window.
            layout "statistics-$language" "$offset"
            with_big_log "$work/statistics-$language"
            start "$work/statistics-$language"
            main=$(window '^Marigold Day$')
            xdotool mousemove --window "$main" 130 160 click 1
            logging=$(window . "$main")
            xdotool windowfocus --sync "$logging" key F9
            shot "$(window '^Statistic' "$main" "$logging")" "statistics-$language"
            stop
        fi
    done
done
