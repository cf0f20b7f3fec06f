#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop sees: every file in place, the
# menu entry valid, and the three file types known once the MIME data is installed into a temporary data
# folder. Arguments: the build folder, the source folder.
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
# The commands this test runs beside the build's own, each from a package scripts/packages.sh installs;
# xdg-mime tells a file's type outside a desktop session with `file`, and answers nothing without it.
for c in objdump desktop-file-validate update-mime-database xdg-mime file; do
  command -v "$c" >/dev/null || { echo "not installed: $c (scripts/packages.sh installs its package)"; exit 1; }
done

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vantle bin/vantle-tool share/doc/vantle/vantle-help.html share/applications/vantle.desktop \
         share/mime/packages/vantle.xml share/icons/hicolor/16x16/apps/vantle.png \
         share/icons/hicolor/32x32/apps/vantle.png share/icons/hicolor/48x48/apps/vantle.png \
         share/icons/hicolor/scalable/apps/vantle.svg; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
# Read the whole text first: grep -q stops at the first match, and under pipefail the writer's broken
# pipe would fail the test.
help=$("$prefix/bin/vantle-tool" --help)
grep -q "theme IN" <<<"$help"

# The tool links no Qt: its picture decoder is a module of its own, loaded only when a picture is decoded,
# and found from the installed tool's folder.
module=$(find "$prefix" -name vantle-pictures.so)
[ -n "$module" ] || { echo "missing after install: vantle-pictures.so"; exit 1; }
needed=$(objdump -p "$prefix/bin/vantle-tool" | grep NEEDED)
if grep -q Qt <<<"$needed"; then echo "vantle-tool links Qt: $needed"; exit 1; fi
"$prefix/bin/vantle-tool" from-picture "$source/tests/data/pic.jpg" "$work/picture.ico" --size 32
loaded=$(LD_DEBUG=libs "$prefix/bin/vantle-tool" convert "$source/tests/data/icotool-sizes.ico" \
  "$work/sizes.ani" 2>&1)
if grep -q libQt6Gui <<<"$loaded"; then echo "converting icons loaded Qt Gui"; exit 1; fi

desktop-file-validate "$prefix/share/applications/vantle.desktop"
grep -q '^Name\[ja\]=' "$prefix/share/applications/vantle.desktop"
grep -q '^MimeType=image/vnd.microsoft.icon;image/x-win-bitmap;application/x-navi-animation;$' \
  "$prefix/share/applications/vantle.desktop"

# The thumbnailer entry names the installed tool and the program's file types (those of its MIME data and
# its menu entry), and its command line, run as a file manager runs it (%i the file, %o the PNG to write,
# %s the size), writes the thumbnail.
entry=$prefix/share/thumbnailers/vantle.thumbnailer
[ -e "$entry" ] || { echo "missing after install: share/thumbnailers/vantle.thumbnailer"; exit 1; }
value() { sed -n "s/^$1=//p" "$entry"; }
[ -x "$prefix/bin/$(value TryExec)" ] || { echo "thumbnailer: TryExec names no installed command"; exit 1; }
sorted_types() { tr ';' '\n' | grep . | sort; }
types=$(value MimeType | sorted_types)
[ "$types" = "$(sed -n 's/^MimeType=//p' "$prefix/share/applications/vantle.desktop" | sorted_types)" ] ||
  { echo "thumbnailer types differ from the menu entry's: $types"; exit 1; }
[ "$types" = "$(grep -o '<mime-type type="[^"]*"' "$prefix/share/mime/packages/vantle.xml" | cut -d'"' -f2 | sort)" ] ||
  { echo "thumbnailer types differ from the MIME data's: $types"; exit 1; }
read -r -a words <<<"$(value Exec)"
[ "${words[0]}" = "$(value TryExec)" ] || { echo "thumbnailer: Exec runs ${words[0]}"; exit 1; }
cp "$source/tests/data/icotool-cursor.cur" "$work/thumb source.cur"
command=()
for w in "${words[@]}"; do
  case $w in %i) command+=("$work/thumb source.cur") ;; %o) command+=("$work/thumb.png") ;;
    %s) command+=(256) ;; *) command+=("$w") ;; esac
done
PATH="$prefix/bin:$PATH" "${command[@]}"
png=$(file -b "$work/thumb.png")
[[ $png == "PNG image data, 256 x 256, 8-bit/color RGBA"* ]] || { echo "thumbnail: $png"; exit 1; }

# The MIME data alone in a data folder of its own, with shared-mime-info's base definitions beside it so
# that our types are judged against the usual ones.
data=$work/data
mkdir -p "$data/mime/packages"
cp "$prefix/share/mime/packages/vantle.xml" "$data/mime/packages/"
cp /usr/share/mime/packages/freedesktop.org.xml "$data/mime/packages/"
update-mime-database "$data/mime" >/dev/null
cp "$source/tests/data/im-16colour.ico" "$work/sample.ico"
cp "$source/tests/data/icotool-cursor.cur" "$work/sample.cur"
"$prefix/bin/vantle-tool" convert "$work/sample.cur" "$work/sample.ani" 2>/dev/null
export XDG_DATA_HOME=$data XDG_DATA_DIRS=$data
check() {
  local got
  got=$(xdg-mime query filetype "$1") || { echo "xdg-mime query filetype $1 failed"; exit 1; }
  [ "$got" = "$2" ] || { echo "xdg-mime: $1 is '$got', expected $2"; exit 1; }
}
check "$work/sample.ico" image/vnd.microsoft.icon
check "$work/sample.cur" image/x-win-bitmap
check "$work/sample.ani" application/x-navi-animation
echo "install test passed"
