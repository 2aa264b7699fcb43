#!/usr/bin/env bash
# Builds the Debian package from the built project into a temporary folder and checks its name, its
# dependencies and that it holds the whole installation below /usr.
#
#   test_paket.sh CPACK BAU ID VERSION MIT_DRUCK
set -uo pipefail
cpack="$1" bau="$2" id="$3" version="$4" mit_druck="$5"

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fehler=0
falsch() {
  echo "FEHLER: $*" >&2
  fehler=1
}

"$cpack" --config "$bau/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 || {
  cat "$tmp/cpack.log" >&2
  exit 1
}
deb="$tmp/morvane_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || {
  echo "FEHLER: kein $deb, sondern: $(ls "$tmp")" >&2
  exit 1
}

feld() { dpkg-deb -f "$deb" "$1"; }
[ "$(feld Package)" = morvane ] && [ "$(feld Version)" = "$version" ] || falsch "Paket $(feld Package) $(feld Version)"
abhaengig="$(feld Depends)"
for paket in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libcups2 qt6-qpa-plugins \
  qt6-translations-l10n fonts-dejavu-core; do
  [[ ", $abhaengig," == *", $paket"[\ ,]* ]] || falsch "Depends ohne $paket: $abhaengig"
done
for paket in "kolourpaint | pinta | gimp" "evince | okular" xdg-utils; do
  [[ ", $(feld Recommends)," == *", $paket"* ]] || falsch "Recommends ohne $paket: $(feld Recommends)"
done

# Each entry as "<mode> <owner> <path>", links with their target.
dpkg-deb -c "$deb" | awk '{ m = $1; o = $2; $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print m, o, $0 }' \
  >"$tmp/inhalt"
hat() { grep -qxF -- "$1" "$tmp/inhalt" || falsch "im Paket fehlt: $1"; }
hat "-rwxr-xr-x root/root ./usr/bin/morvane"
hat "-rwxr-xr-x root/root ./usr/lib/morvane/morvane"
if [ "$mit_druck" = 1 ]; then
  hat "-rwxr-xr-x root/root ./usr/lib/morvane/morvane-druck"
  hat "lrwxrwxrwx root/root ./usr/bin/morvane-druck -> ../lib/morvane/morvane-druck"
fi
hat "-rw-r--r-- root/root ./usr/share/morvane/Morvane-Hilfe.pdf"
hat "-rw-r--r-- root/root ./usr/share/morvane/Morvane/Visitenkarte_85x54.bmp"
hat "-rw-r--r-- root/root ./usr/share/morvane/Morvane/Visitenkarte_85x54.ini"
hat "-rw-r--r-- root/root ./usr/share/morvane/Morvane/Druckposition Infos/Kein Bild.bmp"
hat "-rw-r--r-- root/root ./usr/share/morvane/Morvane/Vorlagen/Etikettenboegen.csv"
hat "-rw-r--r-- root/root ./usr/share/applications/$id.desktop"
hat "-rw-r--r-- root/root ./usr/share/metainfo/$id.metainfo.xml"
for n in 16 22 24 32 48 64 128 256; do
  hat "-rw-r--r-- root/root ./usr/share/icons/hicolor/${n}x$n/apps/$id.png"
done
[ "$(grep -c '^-rw-r--r-- root/root \./usr/share/morvane/Morvane/Vorlagen/.*\.bmp$' "$tmp/inhalt")" = 14 ] \
  || falsch "im Paket fehlen Vorlagen, oder es sind zu viele"
daten="$(dpkg-deb -c "$deb" | awk '$6 ~ /^\.\/usr\/share\/morvane\// { s += $3 } END { print s + 0 }')"
[ "$daten" -lt 40000000 ] || falsch "der Datenordner ist $daten Bytes groß"
[ "$(grep -c '^-.* \./usr/share/morvane/Morvane/Druckposition Infos/.*\.bmp$' "$tmp/inhalt")" = 15 ] \
  || falsch "im Paket fehlen Druckpositionsbilder"
grep -v -e ' \./usr/' -e ' \./$' "$tmp/inhalt" | grep . && falsch "Dateien außerhalb von /usr"

exit $fehler
