#!/usr/bin/env bash
# Makes the Debian package of the build, checks its dependencies, unpacks
# it into a private root and runs the program from there, and has lintian
# check it: no error allowed.
# Usage: check-deb.sh BUILD-DIR WORK-DIR
set -euo pipefail
build=$1 work=$2
fail() { echo "check-deb: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
    || fail "cpack failed: $(cat "$work/cpack.log")"
deb=$work/foliotrace_1.5.1_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb; cpack made: $(ls "$work")"

# shlibdeps found the Qt libraries; the print fonts are added by hand.
depends=$(dpkg-deb --field "$deb" Depends)
for package in libqt6widgets6 libcups2 fonts-liberation2; do
    [[ $depends =~ (^|, )$package( |,|$) ]] || fail "Depends lacks $package: $depends"
done

dpkg-deb -x "$deb" "$work/root"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/foliotrace" --version)
[[ $version == "Foliotrace 1.5.1" ]] || fail "the unpacked program says: $version"
[[ -s $work/root/usr/share/foliotrace/Foliotrace.HLP ]] || fail "the package has no help file"

# lintian ends with status 1 on any error; the rest is listed for the log.
status=0
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
((status == 0)) || fail "lintian found errors (above)"
echo "check-deb: $deb"
