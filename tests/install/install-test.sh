#!/usr/bin/env bash
# The Debian package as a person gets it: made by cpack from the build folder, checked by lintian,
# installed with apt-get, both programs run from the system on the installed sample, then purged,
# leaving none of the files it brought. Needs root; skipped (status 77) otherwise.
# Usage: install-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
package=drowcast

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing the package needs root (CI runs this test as root)"
    exit 77
fi
# One such test at a time on a machine (other build folders may run theirs), and apt waits for
# dpkg's lock rather than failing while another install holds it.
exec 9>/run/lock/drowcast-install-test.lock
flock 9
apt=(apt-get -o DPkg::Lock::Timeout=300 -y -qq)
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    echo "skipped: $package is installed on this machine, and the test would remove it"
    exit 77
fi
fail() { echo "FAILED: $*" >&2; exit 1; }

work=$(mktemp -d /tmp/install-test.XXXXXX)
installed=
cleanup() {
    [ -n "$installed" ] && "${apt[@]}" remove --purge "$package" >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT

# Packed from the build as it stands (cpack builds nothing; scripts/test has built everything).
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(echo "$work"/out/*.deb)
[ -f "$deb" ] || fail "cpack made no .deb: $(ls "$work/out")"
echo "made $(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
lintian --fail-on error "$deb" || fail "lintian finds errors"
desktop-file-validate "$source/packaging/drowcast-designer.desktop" || fail "desktop entry"
for page in "$source"/packaging/man/*.1; do
    warnings=$(man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $(basename "$page"): $warnings"
done

export DEBIAN_FRONTEND=noninteractive
installed=yes
"${apt[@]}" install "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
dpkg -L "$package" >"$work/listed"
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for file in /usr/bin/drowcast-host /usr/bin/drowcast-designer "/usr/lib/$triplet/drowcast/DRowcastB5.so" \
    /usr/share/applications/drowcast-designer.desktop /usr/share/man/man1/drowcast-host.1.gz \
    /usr/share/icons/hicolor/scalable/apps/drowcast-designer.svg /usr/share/doc/$package/copyright; do
    grep -qx "$file" "$work/listed" || fail "the package lacks $file"
done
# The system now knows the form files' type and that the designer opens them (the triggers of
# shared-mime-info and desktop-file-utils ran).
[ -f /usr/share/mime/application/x-drowcast-form.xml ] || fail "the MIME type is not registered"
grep -q '^application/x-drowcast-form=drowcast-designer.desktop' /usr/share/applications/mimeinfo.cache ||
    fail "the desktop does not open form files in the designer"

# The installed programs on a copy of the installed sample, with a home of their own, from a
# folder far from the build: they find the package module and the libraries by themselves.
mkdir -p "$work/home" "$work/shop"
cp "/usr/share/doc/$package/examples/shop.dfm" "/usr/share/doc/$package/examples/shop.db" "$work/shop/"
cd "$work/shop"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_STATE_HOME=$work/home/state
export QT_QPA_PLATFORM=offscreen
info=$(/usr/bin/drowcast-host info) || fail "drowcast-host info"
grep -qx "Package: /usr/lib/$triplet/drowcast/DRowcastB5.so" <<<"$info" && grep -qx "  ROWCASTB5" <<<"$info" ||
    fail "drowcast-host info printed: $info"
exported=$(/usr/bin/drowcast-host export shop.dfm) || fail "drowcast-host export: $exported"
[ "$(grep -c '^exported: ' <<<"$exported")" -ge 9 ] || fail "drowcast-host export printed: $exported"
[ -s orders.html ] && [ -s orders.xlsx ] || fail "the exports wrote no files"
printf 'open shop.dfm\npalette\nsave copy.dfm\n' >tour.dscript
trace=$(timeout 60 /usr/bin/drowcast-designer --script tour.dscript 2>&1) || fail "drowcast-designer: $trace"
grep -q "TKHTMLExport" <<<"$trace" && [ -s copy.dfm ] || fail "drowcast-designer printed: $trace"
/usr/bin/drowcast-host --help >/dev/null

installed=
"${apt[@]}" remove --purge "$package" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get remove"; }
# Every file the package listed is gone; a folder stays only where another package owns it.
while read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || continue
    [ -d "$path" ] && [ ! -L "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
    fail "$path is left after the purge"
done <"$work/listed"
[ ! -e /usr/share/mime/application/x-drowcast-form.xml ] || fail "the MIME type outlived the package"
echo "installed, ran and purged $(basename "$deb") ($(wc -l <"$work/listed") paths)"
