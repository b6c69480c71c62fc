#!/usr/bin/env bash
# A private CUPS scheduler for the printing tests, so they print for real
# without touching the machine's own printing system.
#
#   private-cups.sh start DIR PORT   start cupsd on 127.0.0.1:PORT with its
#                                    configuration and spool under DIR and a
#                                    default queue that writes every job it
#                                    receives, unchanged, to DIR/out/job-ID.pdf,
#                                    and its options to DIR/out/job-ID.options
#   private-cups.sh stop DIR         stop it again
#
# Tests reach it with CUPS_SERVER=127.0.0.1:PORT.
set -euo pipefail

cmd=${1:?start or stop}
dir=${2:?folder}
queue=foliotrace-test

stop() {
    if [[ -f $dir/cupsd.pid ]]; then
        local pid
        pid=$(cat "$dir/cupsd.pid")
        if kill -0 "$pid" 2>/dev/null; then
            kill "$pid"
            for _ in $(seq 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            kill -0 "$pid" 2>/dev/null && kill -9 "$pid"
        fi
        rm -f "$dir/cupsd.pid"
    fi
}

if [[ $cmd == stop ]]; then
    stop
    exit 0
fi

port=${3:?port}
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[[ -x $cupsd ]] || { echo "cupsd is not installed (package cups)" >&2; exit 1; }

stop
rm -rf "$dir"
mkdir -p "$dir"/{etc/ppd,spool,tmp,cache,state,log,out,lib/backend}

# The scheduler drops jobs for a driverless file: queue without writing
# them, so the queue gets a backend of its own that stores each job whole.
# The scheduler finds its helpers under ServerBin: ours, with the system's
# filters and daemons linked in.
for sub in filter daemon cgi-bin monitor notifier driver; do
    [[ -e /usr/lib/cups/$sub ]] && ln -s "/usr/lib/cups/$sub" "$dir/lib/$sub"
done
cat >"$dir/lib/backend/foliotrace" <<'BACKEND'
#!/bin/sh
# CUPS backend: stores a job's data as OUT/job-ID.pdf, its title as
# OUT/job-ID.title and its copies and options as OUT/job-ID.options
# ("copies=2 media=... page-ranges=2-3 ...") (device URI foliotrace:OUT).
if [ $# -eq 0 ]; then
    echo 'direct foliotrace "Unknown" "Foliotrace test output"'
    exit 0
fi
out=${DEVICE_URI#foliotrace:}
part="$out/.job-$1.part"
if [ -n "$6" ]; then cat "$6" >"$part"; else cat >"$part"; fi || exit 1
printf '%s' "$3" >"$out/job-$1.title"
printf 'copies=%s %s' "$4" "$5" >"$out/job-$1.options"
chmod 0644 "$part" "$out/job-$1.title" "$out/job-$1.options"
mv "$part" "$out/job-$1.pdf"
BACKEND
# Owner-only permissions make the scheduler run it as root, so it can
# reach DIR even below a folder that lp may not enter.
chmod 0700 "$dir/lib/backend/foliotrace"
# The scheduler's helpers run as lp when it runs as root.
chmod 1777 "$dir/tmp" "$dir/out" "$dir/spool"

if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
    echo "port $port is already in use; set FOLIOTRACE_TEST_CUPS_PORT to a free one" >&2
    exit 1
fi

cat >"$dir/etc/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
LogLevel ${FOLIOTRACE_CUPS_LOGLEVEL:-warn}
Browsing No
WebInterface No
DefaultAuthType None
MaxJobs 0
PreserveJobFiles No
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow from 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

user_lines=""
if [[ $(id -u) -eq 0 ]]; then
    user_lines=$'User lp\nGroup lp\nSystemGroup root'
else
    user_lines="SystemGroup $(id -gn)"
fi
cat >"$dir/etc/cups-files.conf" <<CONF
$user_lines
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerBin $dir/lib
DataDir /usr/share/cups
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF

"$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"

export CUPS_SERVER=127.0.0.1:$port
running() { lpstat -r 2>/dev/null | grep -q "is running"; }
for _ in $(seq 100); do
    running && break
    if ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
        echo "cupsd did not start:" >&2
        cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
        exit 1
    fi
    sleep 0.1
done
running || { echo "cupsd does not answer on port $port" >&2; stop; exit 1; }

# No driver: the queue passes the PDF it gets straight to the file.
lpadmin -p "$queue" -E -v "foliotrace:$dir/out" 2>"$dir/log/lpadmin.err" \
    || { cat "$dir/log/lpadmin.err" >&2; stop; exit 1; }
lpadmin -d "$queue"
cupsenable "$queue" 2>/dev/null || true
cupsaccept "$queue" 2>/dev/null || true
echo "private CUPS on $CUPS_SERVER, default queue $queue -> $dir/out/job-ID.pdf"
