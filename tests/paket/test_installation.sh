#!/usr/bin/env bash
# Installs the built project below a temporary prefix and checks the tree, the menu entry and its metadata,
# then runs the installed launcher as a new person would: with a stand-in program that records where and how
# it was started, and once with the real program.
#
#   test_installation.sh BAU CMAKE ID VERSION MIT_DRUCK
set -uo pipefail
bau="$1" cmake="$2" id="$3" version="$4" mit_druck="$5"

tmp="$(mktemp -d)"
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
fehler=0
falsch() {
  echo "FEHLER: $*" >&2
  fehler=1
}

# Spaces and a non-ASCII letter in every path the launcher meets.
prefix="$tmp/Präfix mit Leerzeichen"
"$cmake" --install "$bau" --prefix "$prefix" >"$tmp/install.log" 2>&1 || {
  cat "$tmp/install.log" >&2
  exit 1
}
geteilt="$prefix/share/morvane"

# --- The installed tree -----------------------------------------------------------------------------------
[ -x "$prefix/bin/morvane" ] || falsch "bin/morvane fehlt oder ist nicht ausführbar"
[ -x "$prefix/lib/morvane/morvane" ] || falsch "lib/morvane/morvane fehlt"
if [ "$mit_druck" = 1 ]; then
  [ -x "$prefix/lib/morvane/morvane-druck" ] || falsch "lib/morvane/morvane-druck fehlt"
  [ "$(readlink -f "$prefix/bin/morvane-druck")" = "$(readlink -f "$prefix/lib/morvane/morvane-druck")" ] \
    || falsch "bin/morvane-druck zeigt nicht auf lib/morvane/morvane-druck"
  # The installed command prints the installed sample card, paths with blanks and umlauts included.
  "$prefix/bin/morvane-druck" --seite --pdf "$tmp/Probe ä.pdf" "$geteilt/Morvane/Visitenkarte_85x54.bmp" \
    && [ -s "$tmp/Probe ä.pdf" ] || falsch "bin/morvane-druck druckt die Beispielkarte nicht in eine PDF-Datei"
else
  [ ! -e "$prefix/bin/morvane-druck" ] && [ ! -L "$prefix/bin/morvane-druck" ] \
    || falsch "bin/morvane-druck ohne das Programm"
fi

inhalt() { (cd "$1" && ls -A | tr '\n' '|'); }
[ "$(inhalt "$geteilt")" = "Morvane|Morvane-Hilfe.pdf|" ] || falsch "share/morvane: $(inhalt "$geteilt")"
# Only the bundled data, never a label made in the build's program folder.
[ "$(inhalt "$geteilt/Morvane")" = "Druckposition Infos|Visitenkarte_85x54.bmp|Visitenkarte_85x54.ini|Vorlagen|" ] \
  || falsch "share/morvane/Morvane: $(inhalt "$geteilt/Morvane")"
[ "$(find "$geteilt/Morvane/Druckposition Infos" -name '*.bmp' | wc -l)" = 15 ] \
  || falsch "nicht 15 Druckpositionsbilder"
[ -f "$geteilt/Morvane/Druckposition Infos/Kein Bild.bmp" ] || falsch "Kein Bild.bmp fehlt"
vorlagen=0
for bild in "$geteilt/Morvane/Vorlagen"/*.bmp; do
  [ -f "$bild" ] || continue
  vorlagen=$((vorlagen + 1))
  [ -f "${bild%.bmp}.ini" ] || falsch "Vorlage ohne Einstellungsdatei: $bild"
done
[ "$vorlagen" -gt 0 ] || falsch "keine Vorlagen installiert"
[ -s "$geteilt/Morvane/Vorlagen/Etikettenboegen.csv" ] || falsch "Etikettenboegen.csv fehlt"

for n in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${n}x$n/apps/$id.png"
  # The PNG signature, then width and height as big-endian numbers in the header chunk.
  kopf="$(od -An -tu1 -N24 "$png" 2>/dev/null | tr -s ' \n' ' ')"
  [ "$kopf" = " 137 80 78 71 13 10 26 10 0 0 0 13 73 72 68 82 0 0 $((n / 256)) $((n % 256)) 0 0 $((n / 256)) $((n % 256)) " ] \
    || falsch "Symbol ${n}x$n fehlt oder hat eine andere Größe: $kopf"
done

desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$desktop" || falsch "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" >"$tmp/appstream.log" 2>&1 || {
  cat "$tmp/appstream.log" >&2
  falsch "appstreamcli validate"
}
wert() { sed -n "s/^$1=//p" "$desktop"; }
[ -x "$prefix/bin/$(wert Exec | cut -d' ' -f1)" ] || falsch "Exec nennt kein installiertes Programm: $(wert Exec)"
[ "$(wert Icon)" = "$id" ] || falsch "Icon=$(wert Icon) ist nicht das installierte Symbol"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || falsch "launchable"
grep -q "<release version=\"$version\"" "$metainfo" || falsch "keine Veröffentlichung $version in den Metadaten"

fremd="$(cd "$prefix" && find . ! -type d | grep -v -e '^\./bin/morvane\(-druck\)\?$' -e '^\./lib/morvane/' \
  -e '^\./share/morvane/' -e "^\./share/applications/$id\.desktop$" -e "^\./share/metainfo/$id\.metainfo\.xml$" \
  -e "^\./share/icons/hicolor/[0-9x]*/apps/$id\.png$")"
[ -z "$fremd" ] || falsch "unerwartet installiert: $fremd"

# --- The launcher, with a stand-in program ----------------------------------------------------------------
ersatz="$tmp/ersatz programm"
cat >"$ersatz" <<'EOF'
#!/bin/sh
{ pwd -P; printf '%s\n' "$@"; } >"$AUFRUF"
EOF
chmod +x "$ersatz"

stand() { (cd "$prefix" && find . -printf '%p %m %s %T@\n' | sort && find . -type f -exec md5sum {} + | sort); }
chmod -R a-w "$prefix"
stand >"$tmp/stand.vorher"

heim="$tmp/Heim von Jörg"
mkdir "$heim"
ordner="$heim/.local/share/morvane"
starte() {
  rm -f "$tmp/aufruf"
  (cd / && env -u XDG_DATA_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$heim" MORVANE_PROGRAMMDATEI="$ersatz" \
    AUFRUF="$tmp/aufruf" "$prefix/bin/morvane" "$@")
}

starte "ein Etikett.bmp" zwei || falsch "erster Start endet mit $?"
printf '%s\n' "$ordner" "ein Etikett.bmp" zwei | cmp -s - "$tmp/aufruf" \
  || falsch "erster Start: Ordner und Argumente: $(cat "$tmp/aufruf" 2>/dev/null)"
diff -r "$geteilt" "$ordner" >&2 || falsch "erster Start: der Programmordner gleicht nicht den installierten Daten"
[ -z "$(find "$ordner" ! -perm -u+w)" ] || falsch "nicht beschreibbar: $(find "$ordner" ! -perm -u+w)"
stand | cmp -s - "$tmp/stand.vorher" || falsch "erster Start hat den installierten Baum verändert"

# A new version changes a template, a layout picture and the help and brings a new template; meanwhile the
# person has edited the sample label and added a label and a template of their own.
vorlage="$(ls "$geteilt/Morvane/Vorlagen"/*.ini | head -n 1)"
vorlage="${vorlage##*/}"
chmod -R u+w "$prefix"
printf '[Einstellung]\r\nObererRand=7\r\n' >"$geteilt/Morvane/Vorlagen/$vorlage"
printf 'neues Bild' >"$geteilt/Morvane/Druckposition Infos/Kein Bild.bmp"
printf 'neue Hilfe' >"$geteilt/Morvane-Hilfe.pdf"
printf 'neue Vorlage' >"$geteilt/Morvane/Vorlagen/Neu 1x1.bmp"
printf 'Neu;1;Rechteck;1;1;210;297;0;0;210;297\n' >>"$geteilt/Morvane/Vorlagen/Etikettenboegen.csv"
chmod -R a-w "$prefix"
stand >"$tmp/stand.vorher"

printf 'mein Bild' >"$ordner/Morvane/Visitenkarte_85x54.bmp"
printf '[Einstellung]\r\nObererRand=3\r\n' >"$ordner/Morvane/Visitenkarte_85x54.ini"
printf 'meins' >"$ordner/Morvane/Meine Etikette.bmp"
printf 'meine Vorlage' >"$ordner/Morvane/Vorlagen/Eigene.bmp"

starte || falsch "zweiter Start endet mit $?"
[ "$(cat "$tmp/aufruf")" = "$ordner" ] || falsch "zweiter Start: $(cat "$tmp/aufruf" 2>/dev/null)"
for datei in "Morvane/Vorlagen/$vorlage" "Morvane/Druckposition Infos/Kein Bild.bmp" Morvane-Hilfe.pdf \
  "Morvane/Vorlagen/Neu 1x1.bmp" Morvane/Vorlagen/Etikettenboegen.csv; do
  cmp -s "$geteilt/$datei" "$ordner/$datei" || falsch "nicht aktualisiert: $datei"
done
[ "$(cat "$ordner/Morvane/Visitenkarte_85x54.bmp")" = "mein Bild" ] \
  && [ "$(tr -d '\r' <"$ordner/Morvane/Visitenkarte_85x54.ini")" = "$(printf '[Einstellung]\nObererRand=3')" ] \
  && [ "$(cat "$ordner/Morvane/Meine Etikette.bmp")" = meins ] \
  && [ "$(cat "$ordner/Morvane/Vorlagen/Eigene.bmp")" = "meine Vorlage" ] \
  || falsch "zweiter Start hat Dateien der Person verändert"
[ -z "$(find "$ordner" -name '.*')" ] || falsch "Reste: $(find "$ordner" -name '.*')"
stand | cmp -s - "$tmp/stand.vorher" || falsch "zweiter Start hat den installierten Baum verändert"

# XDG_DATA_HOME, where set, holds the folder.
daten="$tmp/eigene Daten"
(cd / && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$heim" XDG_DATA_HOME="$daten" MORVANE_PROGRAMMDATEI="$ersatz" \
  AUFRUF="$tmp/aufruf" "$prefix/bin/morvane") || falsch "Start mit XDG_DATA_HOME endet mit $?"
[ "$(cat "$tmp/aufruf")" = "$daten/morvane" ] && [ -f "$daten/morvane/Morvane/Visitenkarte_85x54.bmp" ] \
  || falsch "XDG_DATA_HOME nicht beachtet"

# A folder that cannot be made: a German message, on stderr and in a window, a failure status, no start.
echo nichts >"$tmp/eine Datei"
mkdir "$tmp/werkzeug"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s"\n' "$tmp/fenster" >"$tmp/werkzeug/zenity"
chmod +x "$tmp/werkzeug/zenity"
rm -f "$tmp/aufruf"
(cd / && HOME="$heim" XDG_DATA_HOME="$tmp/eine Datei/daten" DISPLAY=:99 PATH="$tmp/werkzeug:$PATH" \
  MORVANE_PROGRAMMDATEI="$ersatz" AUFRUF="$tmp/aufruf" "$prefix/bin/morvane" 2>"$tmp/meldung")
status=$?
meldung="Der Programmordner \"$tmp/eine Datei/daten/morvane\" kann nicht angelegt werden."
[ "$status" = 1 ] || falsch "Status $status statt 1, wenn der Ordner nicht angelegt werden kann"
[ "$(cat "$tmp/meldung")" = "Morvane: $meldung" ] || falsch "Meldung: $(cat "$tmp/meldung")"
grep -qxF -- "--text=$meldung" "$tmp/fenster" 2>/dev/null || falsch "keine Meldung im Fenster"
[ ! -e "$tmp/aufruf" ] || falsch "Programm trotz fehlendem Ordner gestartet"

# --- The launcher with the real program -------------------------------------------------------------------
heim="$tmp/zweite Person"
mkdir "$heim"
(cd / && exec env -u XDG_DATA_HOME HOME="$heim" XDG_CONFIG_HOME="$heim/konfig" QT_QPA_PLATFORM=offscreen \
  "$prefix/bin/morvane" >"$tmp/programm.log" 2>&1) &
pid=$!
einstellungen="$heim/konfig/Morvane.ini"
for _ in $(seq 300); do
  grep -q '^ZuletztAngezeigt=' "$einstellungen" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  wait "$pid" 2>/dev/null
else
  falsch "das Programm hat sich beendet: $(cat "$tmp/programm.log")"
fi
grep -qxF "InstallOrt=$heim/.local/share/morvane/" "$einstellungen" 2>/dev/null \
  || falsch "das Programm lief nicht im Programmordner der Person: $(cat "$einstellungen" 2>/dev/null)"

exit $fehler
