#!/usr/bin/env bash
# Builds the .deb from a build folder, installs it with apt as a user would, checks what the system now
# knows (the files, the menu entry, the file types, the MIME database rebuilt), then removes and purges it
# and checks that none of its files are left and the MIME database was rebuilt again. Needs root; changes the system's /usr, so it is meant for CI machines.
# Argument: the build folder.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if dpkg-query -W -f='${Status}' vantle 2>/dev/null | grep -q "install ok"; then
  echo "vantle is already installed as a package; not touching it"; exit 1
fi
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$work"/vantle_*.deb)
# (Outputs are read whole before grep: grep -q stops early, and pipefail would fail on the broken pipe.)
info=$(dpkg-deb --info "$deb")
grep -q "Depends:.*libqt6widgets6" <<<"$info"
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
if grep -Eq 'postinst|postrm|preinst|prerm' <<<"$control"; then
  echo "the package has maintainer scripts"; exit 1
fi

# The MIME database is rebuilt by shared-mime-info's trigger on install and on removal.
cache=/usr/share/mime/mime.cache
rebuilt_since() { [ "$(stat -c %Y "$cache")" -ge "$1" ]; }
sleep 1
before=$(date +%s)
apt-get install -y "$deb" >/dev/null 2>&1 || { apt-get install -y "$deb"; exit 1; }
files=$(dpkg -L vantle)
for f in /usr/bin/vantle /usr/bin/vantle-tool /usr/share/doc/vantle/vantle-help.html \
         /usr/share/applications/vantle.desktop /usr/share/mime/packages/vantle.xml \
         /usr/share/thumbnailers/vantle.thumbnailer \
         /usr/share/icons/hicolor/48x48/apps/vantle.png /usr/share/icons/hicolor/scalable/apps/vantle.svg; do
  grep -qx "$f" <<<"$files" || { echo "not in the package: $f"; exit 1; }
  [ -e "$f" ] || { echo "missing after install: $f"; exit 1; }
done
grep -q '/vantle/modules/vantle-pictures.so$' <<<"$files" || { echo "not in the package: vantle-pictures.so"; exit 1; }
desktop-file-validate /usr/share/applications/vantle.desktop
rebuilt_since "$before" || { echo "the MIME database was not rebuilt on install"; exit 1; }
# The installed tool runs, and the system knows the file type of what it writes.
/usr/bin/vantle-tool convert "$source/tests/data/icotool-cursor.cur" "$work/sample.ani"
# It finds its picture decoder where the package put it.
/usr/bin/vantle-tool from-picture "$source/tests/data/pic-anim.gif" "$work/picture.ani" --size 32
type=$(env -u XDG_DATA_HOME -u XDG_DATA_DIRS xdg-mime query filetype "$work/sample.ani")
[ "$type" = application/x-navi-animation ] || { echo "xdg-mime: sample.ani is '$type'"; exit 1; }

sleep 1
before=$(date +%s)
apt-get purge -y vantle >/dev/null 2>&1
if dpkg-query -W -f='${Status}' vantle 2>/dev/null | grep -q "installed"; then echo "still installed"; exit 1; fi
while read -r f; do
  # Folders such as /usr/share/icons are shared with other packages and stay.
  [ -d "$f" ] && continue
  [ ! -e "$f" ] || { echo "left after removal: $f"; exit 1; }
done <<<"$files"
rebuilt_since "$before" || { echo "the MIME database was not rebuilt on removal"; exit 1; }
echo "deb test passed"
