#!/usr/bin/env bash
# morvane-druck for Windows, under Wine, prints the sample's whole sheet to a PDF that renders exactly as the PDF
# of the Linux build's morvane-druck for the same label.
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
