#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix of its own: a silent install for the person without
# administrator rights, a start of the installed program from its start-menu folder, the five registry values,
# a screenshot, and a silent uninstall that leaves the person's labels.
#   test_einrichtung.sh BUILD-DIR VERSION [mit-svg]
set -euo pipefail
bau="$1"
version="$2"
svg=()
[ "${3:-}" = mit-svg ] && svg=(plugins/imageformats/qsvg.dll Qt6Svg.dll)
setup="$bau/paket/morvane-$version-setup.exe"
[ -f "$setup" ] || { echo "FEHLT: $setup (scripts/windows baut es)"; exit 1; }
export WINEPREFIX="$bau/wine-einrichtung" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
fehler=0
pruefe() { # BESCHREIBUNG BEFEHL...
  if "${@:2}"; then echo "ok   $1"; else echo "FEHLER $1"; fehler=1; fi
}
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w

wine "$setup" /S
wineserver -w
lokal="$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')")"
ordner="$lokal/Programs/Morvane"
for datei in morvane.exe morvane-druck.exe morvane_drucken.dll Qt6Core.dll Qt6PrintSupport.dll libstdc++-6.dll \
             libzint.dll plugins/platforms/qwindows.dll plugins/imageformats/qjpeg.dll plugins/imageformats/qgif.dll \
             "${svg[@]}" \
             translations/qtbase_de.qm qt.conf Morvane-Hilfe.pdf \
             Morvane/Visitenkarte_85x54.bmp Morvane/Visitenkarte_85x54.ini Deinstallieren.exe; do
  pruefe "installiert: $datei" test -f "$ordner/$datei"
done
pruefe "Vorlagen installiert" test -n "$(ls "$ordner/Morvane/Vorlagen")"
pruefe "Druckposition Infos installiert" test -f "$ordner/Morvane/Druckposition Infos/Kein Bild.bmp"
startmenue="$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")/Microsoft/Windows/Start Menu/Programs"
pruefe "Startmenü-Eintrag" test -f "$startmenue/Morvane.lnk"
pruefe "Eintrag unter Programme" bash -c "wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane' /v UninstallString 2>/dev/null | grep -q Deinstallieren.exe"

# Started as the start-menu entry starts it: in the program folder.
(cd "$ordner" && exec wine morvane.exe) >/dev/null 2>&1 &
werte=""
for _ in $(seq 60); do
  werte="$(wine reg query 'HKCU\Software\Morvane' 2>/dev/null | tr -d '\r' || true)"
  grep -q ZuletztAngezeigt <<<"$werte" && break
  sleep 1
done
sleep 5
if [ -n "${DISPLAY:-}" ] && command -v xwd >/dev/null && command -v convert >/dev/null; then
  xwd -root -silent | convert xwd:- "$bau/paket/bildschirm.png" || true
fi
wineserver -k || true
programm="$(winepath -w "$ordner" 2>/dev/null)"
erwartet() { # NAME WERT
  grep -qxF "    $1    REG_SZ    $2" <<<"$werte"
}
pruefe "InstallOrt"               erwartet InstallOrt "$programm\\"
pruefe "OrdnerEtikettenInfos"     erwartet OrdnerEtikettenInfos "$programm\\Morvane\\Druckposition Infos"
pruefe "OrdnerEtiketten"          erwartet OrdnerEtiketten "$programm\\Morvane"
pruefe "OrdnerEtikettenVorlagen"  erwartet OrdnerEtikettenVorlagen "$programm\\Morvane\\Vorlagen"
pruefe "ZuletztAngezeigt"         erwartet ZuletztAngezeigt "$programm\\Morvane\\Visitenkarte_85x54.bmp"
[ "$fehler" -eq 0 ] || printf 'Registry:\n%s\n' "$werte"

# A label of the person's own and a changed sample stay; what the installer brought goes.
printf 'eigen' > "$ordner/Morvane/Meins.bmp"
printf '[Einstellung]\r\nObererRand=3\r\n' > "$ordner/Morvane/Visitenkarte_85x54.ini"
wine "$ordner/Deinstallieren.exe" /S
wineserver -w
pruefe "eigenes Etikett bleibt" test -f "$ordner/Morvane/Meins.bmp"
pruefe "geändertes Beispiel bleibt" grep -q ObererRand=3 "$ordner/Morvane/Visitenkarte_85x54.ini"
for datei in morvane.exe morvane-druck.exe Qt6Core.dll plugins Morvane-Hilfe.pdf Deinstallieren.exe Morvane/Vorlagen \
             "Morvane/Druckposition Infos"; do
  pruefe "entfernt: $datei" test ! -e "$ordner/$datei"
done
pruefe "Startmenü-Eintrag entfernt" test ! -e "$startmenue/Morvane.lnk"
pruefe "Eintrag unter Programme entfernt" bash -c "! wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane' >/dev/null 2>&1"
exit "$fehler"
