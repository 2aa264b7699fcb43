#!/usr/bin/env bash
# morvane-druck for Windows, under Wine, prints the sample's whole sheet to a PDF that renders exactly as the PDF
# of the Linux build's morvane-druck for the same label; and the same for labels filled from a list, a QR code each.
#   test_pdf_wie_linux.sh UNTER-WINE WINDOWS-DRUCK LINUX-DRUCK ETIKETT.bmp
set -euo pipefail
unter_wine="$1" windows_druck="$2" linux_druck="$3" etikett="$4"
ordner="$(mktemp -d)"
trap 'rm -rf "$ordner"' EXIT
"$unter_wine" "$windows_druck" --seite --pdf "$ordner/windows.pdf" "$etikett"
env -u DISPLAY -u WAYLAND_DISPLAY "$linux_druck" --seite --pdf "$ordner/linux.pdf" "$etikett"
for seite in windows linux; do
  [ "$(pdfinfo "$ordner/$seite.pdf" | sed -n 's/^Pages: *//p')" = 1 ] || { echo "FEHLER: $seite.pdf hat nicht eine Seite"; exit 1; }
  pdftoppm -r 150 -gray "$ordner/$seite.pdf" "$ordner/$seite"
done
if ! cmp -s "$ordner/windows-1.pgm" "$ordner/linux-1.pgm"; then
  echo "FEHLER: die Seite aus Windows sieht anders aus als die aus Linux"
  exit 1
fi
echo "ok   gleiche Seite"

# Twelve records of a UTF-8 list with a QR code each, two pages of the sample's sheet.
cp "$etikett" "$ordner/liste.bmp"
{ cat "${etikett%.bmp}.ini"; printf '[Code]\r\nArt=QR\r\nInhalt={Straße} {Nr:4}\r\n'; } >"$ordner/liste.ini"
{ printf '\xef\xbb\xbfName;Straße\r\n'; for n in $(seq 1 12); do printf 'Jörg %s;"Gaß %s; Köln"\r\n' "$n" "$n"; done; } \
  >"$ordner/liste.csv"
"$unter_wine" "$windows_druck" --liste "$ordner/liste.csv" --pdf "$ordner/wliste.pdf" "$ordner/liste.bmp"
env -u DISPLAY -u WAYLAND_DISPLAY "$linux_druck" --liste "$ordner/liste.csv" --pdf "$ordner/lliste.pdf" "$ordner/liste.bmp"
for seite in wliste lliste; do
  [ "$(pdfinfo "$ordner/$seite.pdf" | sed -n 's/^Pages: *//p')" = 2 ] || { echo "FEHLER: $seite.pdf hat nicht zwei Seiten"; exit 1; }
  pdftoppm -r 150 -gray "$ordner/$seite.pdf" "$ordner/$seite"
done
for n in 1 2; do
  cmp -s "$ordner/wliste-$n.pgm" "$ordner/lliste-$n.pgm" || { echo "FEHLER: Seite $n der Liste aus Windows sieht anders aus"; exit 1; }
done
echo "ok   gleiche Liste mit QR-Code"
