#!/usr/bin/env bash
# morvane-druck for Windows, under Wine, prints the sample's whole sheet to a PDF that renders exactly as the PDF
# of the Linux build's morvane-druck for the same label; and the same for labels numbered from a list of numbers with
# a QR code each.
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

# Numbers 1 to 12 with a QR code each, two pages of the sample's sheet.
cp "$etikett" "$ordner/nummern.bmp"
{ cat "${etikett%.bmp}.ini"; printf '[Code]\r\nArt=QR\r\nInhalt=Nummer {Nr:4}\r\n'; } >"$ordner/nummern.ini"
"$unter_wine" "$windows_druck" --nummern 1-12 --pdf "$ordner/wnummern.pdf" "$ordner/nummern.bmp"
env -u DISPLAY -u WAYLAND_DISPLAY "$linux_druck" --nummern 1-12 --pdf "$ordner/lnummern.pdf" "$ordner/nummern.bmp"
for seite in wnummern lnummern; do
  [ "$(pdfinfo "$ordner/$seite.pdf" | sed -n 's/^Pages: *//p')" = 2 ] || { echo "FEHLER: $seite.pdf hat nicht zwei Seiten"; exit 1; }
  pdftoppm -r 150 -gray "$ordner/$seite.pdf" "$ordner/$seite"
done
for n in 1 2; do
  cmp -s "$ordner/wnummern-$n.pgm" "$ordner/lnummern-$n.pgm" || { echo "FEHLER: Seite $n der Nummern aus Windows sieht anders aus"; exit 1; }
done
echo "ok   gleiche Nummern mit QR-Code"
