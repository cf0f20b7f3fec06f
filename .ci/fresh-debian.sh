#!/usr/bin/env bash
# Runs the README's two commands as a new user would, in a minimal Debian 12 root (debootstrap's minbase)
# where nothing is installed but what scripts/packages.sh installs: `bash scripts/test` on a clone of the
# checkout's HEAD, then `bash scripts/run` under Xvfb until its window shows. Fails, naming what failed,
# when a test fails or is skipped there, which is how a package missing from scripts/packages.sh shows.
#
# Kept between runs in $VANTLE_CI_CACHE (default /var/cache/vantle-ci), outside the checkout:
#   minbase/       the bare minbase root, made once and only refreshed (apt-get update and upgrade)
#   root/          this run's root, copied anew from minbase/ each run, so nothing an earlier run
#                  installed can stand in for a missing package
#   apt-archives/  downloaded .debs, bind-mounted into the root (a download saved, nothing installed)
#   ccache/        the root's compiler cache, bind-mounted as root's ~/.cache/ccache
#   logs/          the last run's logs and the screenshot of the window
# Needs root (debootstrap, chroot, mount). Argument: none; the checkout is the one this script is in.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
cache=${VANTLE_CI_CACHE:-/var/cache/vantle-ci}
mirror=${VANTLE_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security_mirror=${VANTLE_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
minbase=$cache/minbase
root=$cache/root
logs=$cache/logs
start=$(date +%s)

say() { echo "fresh Debian 12: $*"; }
fail() {
  say "FAILED: $*" >&2
  exit 1
}

[ "$(id -u)" = 0 ] || fail "needs root (debootstrap, chroot and mount)"
mkdir -p "$cache/apt-archives/partial" "$cache/ccache" "$logs"
# One run at a time per cache folder.
exec 9>"$cache/lock"
flock 9

# Everything this script mounted under a root, deepest first; processes still running inside it are
# ended first (Xvfb, the program), or the mounts would stay busy.
leave() {
  local dir=$1 pid
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$dir" ] && kill -9 "$pid" 2>/dev/null || true
  done
  awk -v d="$dir/" 'index($2, d) == 1 { print $2 }' /proc/self/mounts | sort -r | while read -r m; do
    umount "$m" 2>/dev/null || umount -l "$m"
  done
  if awk -v d="$dir/" 'index($2, d) == 1 { found = 1 } END { exit !found }' /proc/self/mounts; then
    fail "could not unmount everything under $dir"
  fi
}
cleanup() {
  leave "$minbase"
  leave "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

enter() {
  local dir=$1
  mount -t proc proc "$dir/proc"
  mount -t sysfs sysfs "$dir/sys" 2>/dev/null || mount --bind /sys "$dir/sys"
  mount --bind /dev "$dir/dev"
  mount --make-private "$dir/dev"
  mount --bind /dev/pts "$dir/dev/pts"
  mount -t tmpfs -o mode=1777 shm "$dir/dev/shm"
  cp /etc/resolv.conf "$dir/etc/resolv.conf"
}
# A login-like environment of root's, none of this machine's variables.
in_root() {
  local dir=$1
  shift
  chroot "$dir" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# The bare root: made once, then only brought up to date.
leave "$minbase"
if [ ! -f "$cache/minbase.ok" ]; then
  command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
  rm -rf --one-file-system "$minbase"
  say "making the minbase root with debootstrap"
  debootstrap --variant=minbase bookworm "$minbase" "$mirror" >"$logs/debootstrap.log" 2>&1 ||
    { tail -n 20 "$logs/debootstrap.log"; fail "debootstrap did not finish (log: $logs/debootstrap.log)"; }
  # The suites a Debian 12 machine has: the release, its updates and the security updates.
  cat >"$minbase/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security_mirror bookworm-security main
EOF
  date -u >"$cache/minbase.ok"
fi
enter "$minbase"
in_root "$minbase" bash -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -qq >/dev/null &&
  apt-get clean' >"$logs/refresh.log" 2>&1 ||
  { tail -n 20 "$logs/refresh.log"; fail "refreshing the minbase root (apt-get update, upgrade) failed"; }
leave "$minbase"
say "minbase root ready after $(($(date +%s) - start)) s"

# This run's root, and the submitted commit cloned into it as a new user clones it.
leave "$root"
rm -rf --one-file-system "$root"
cp -a "$minbase" "$root"
commit=$(git -C "$source_dir" rev-parse HEAD)
checkout=$root/root/vantle
git clone -q --no-checkout "$source_dir" "$checkout"
git -C "$checkout" cat-file -e "$commit^{commit}" 2>/dev/null || git -C "$checkout" fetch -q origin HEAD
git -C "$checkout" checkout -q --detach "$commit"
say "testing commit $(git -C "$checkout" log -1 --format='%h %s')"
if [ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]; then
  say "(the checkout has uncommitted changes: they are not part of what is tested)"
fi
enter "$root"
mkdir -p "$root/root/.cache/ccache"
mount --bind "$cache/ccache" "$root/root/.cache/ccache"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"
say "root and clone ready after $(($(date +%s) - start)) s"

# The README's test command.
step=$(date +%s)
say "bash scripts/test (log: $logs/test.log)"
if ! in_root "$root" timeout 50m bash -c 'cd /root/vantle && bash scripts/test' >"$logs/test.log" 2>&1; then
  # ctest's report without the passing tests, or the end of the log when it failed before the tests.
  echo "----" >&2
  if grep -q '^Test project ' "$logs/test.log"; then
    sed -n '/^Test project /,$p' "$logs/test.log" | grep -vE '^ +Start +[0-9]+: |   Passed +[0-9.]+ sec$' |
      head -n 80 >&2
  else
    tail -n 60 "$logs/test.log" >&2
  fi
  echo "----" >&2
  grep -m 10 -E 'command not found|Unable to locate package|No module named|: not found$' "$logs/test.log" >&2 || true
  failed=$(sed -n '/The following tests FAILED:/,$p' "$logs/test.log" | grep -oE ' - [A-Za-z0-9_]+' | tr -d ' -' |
    paste -sd ' ' -)
  fail "\`bash scripts/test\` failed in a fresh minimal Debian 12 root with only scripts/packages.sh's packages${failed:+ (tests that failed: $failed)}. A test that passes on a developer's machine but fails here needs a package that scripts/packages.sh does not install, or a file that is not committed. Whole log: $logs/test.log"
fi
grep -E 'tests passed|tests failed out of|Total Test time' "$logs/test.log" || true
# A test that finds a tool missing skips instead of failing (the Python bindings, for one): none may skip.
last_test=$root/root/vantle/build/Testing/Temporary/LastTest.log
if grep -q '\[  SKIPPED \]' "$last_test"; then
  grep -B1 -A2 -E 'Skipped$' "$last_test" | head -n 40 >&2
  fail "tests were skipped in the fresh root, most likely for a package that scripts/packages.sh does not install (log: $last_test)"
fi
say "bash scripts/test passed after $(($(date +%s) - step)) s"

# The README's start command, under Xvfb until the window shows, then a screenshot. The display number
# is one no X server of this machine uses: the root's /tmp does not show the others' lock files.
step=$(date +%s)
display=150
while [ -e "/tmp/.X$display-lock" ] || grep -q "/tmp/.X11-unix/X$display\$" /proc/net/unix; do
  display=$((display + 1))
done
cat >"$root/tmp/start-check.sh" <<'EOF'
cd /root/vantle
bash scripts/run >/tmp/run.log 2>&1 &
pid=$!
for _ in $(seq 120); do
  if xdotool search --onlyvisible --name '^Vantle' >/dev/null 2>&1; then
    sleep 1
    import -window root /tmp/window.png
    kill "$pid"
    exit 0
  fi
  kill -0 "$pid" 2>/dev/null || { echo "bash scripts/run ended before its window showed"; exit 1; }
  sleep 1
done
echo "no window named Vantle after 120 s"
kill "$pid"
exit 1
EOF
if ! in_root "$root" timeout 10m xvfb-run -n "$display" -s "-screen 0 1024x768x24" bash /tmp/start-check.sh \
  >"$logs/start.log" 2>&1; then
  cat "$logs/start.log" >&2
  tail -n 30 "$root/tmp/run.log" >&2 || true
  fail "\`bash scripts/run\` did not show the window under Xvfb in the fresh root"
fi
cp "$root/tmp/window.png" "$logs/window.png"
say "bash scripts/run showed the window after $(($(date +%s) - step)) s (screenshot: $logs/window.png)"

leave "$root"
say "passed in $(($(date +%s) - start)) s"
rm -rf --one-file-system "$root"
