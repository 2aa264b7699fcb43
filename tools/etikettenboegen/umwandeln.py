#!/usr/bin/env python3
"""Carries the measures of A4 label sheets over from the template collection of a free label program
(https://github.com/jimevins/glabels-qt, folder templates/, MIT licence) into boegen.tsv.

    umwandeln.py <git directory of glabels-qt> > boegen.tsv

Only the facts are taken: maker, product numbers (aliases that share a sheet joined), shape, counts, sizes,
margins and pitches. Points and inches become millimetres rounded to hundredths. Sheets that are not A4, have more
than one grid (staggered) or another shape than rectangle, circle or ellipse are left out. KORREKTUREN replaces
the collection's figures where the maker's own data sheet gives others."""

import re
import subprocess
import sys
import xml.etree.ElementTree as ET
from decimal import ROUND_HALF_UP, Decimal

EINHEITEN = {"pt": Decimal(254) / Decimal(720), "mm": Decimal(1), "cm": Decimal(10), "in": Decimal("25.4"),
             "pc": Decimal(12) * Decimal(254) / Decimal(720)}

# (maker, number) -> (width, height, left margin, top margin, horizontal pitch, vertical pitch) from the makers'
# data sheets.
KORREKTUREN = {
    ("Avery", "7160"): ("63.5", "38.1", "7.21", "15.15", "66.04", "38.1"),
    ("Avery", "7161"): ("63.5", "46.6", "7.21", "8.7", "66.04", "46.6"),
    ("Avery", "7162"): ("99.1", "33.9", "4.65", "12.9", "101.6", "33.9"),
    ("Avery", "7163"): ("99.1", "38.1", "4.65", "15.15", "101.6", "38.1"),
    ("Avery", "7164"): ("63.5", "72", "7.21", "4.5", "66.04", "72"),
    ("Avery", "7165"): ("99.1", "67.7", "4.65", "13.1", "101.6", "67.7"),
    ("Avery", "7169"): ("99.1", "139", "4.65", "9.5", "101.6", "139"),
    ("Avery", "8651"): ("38.1", "21.2", "4.75", "10.7", "40.6", "21.2"),
    ("Zweckform", "3474"): ("70", "37", "0", "0.5", "70", "37"),
    ("Zweckform", "3475"): ("70", "36", "0", "4.5", "70", "36"),
    ("Zweckform", "3490"): ("70", "36", "0", "4.5", "70", "36"),
    ("Zweckform", "3651"): ("52.5", "29.7", "0", "0", "52.5", "29.7"),
    ("Zweckform", "3659"): ("97", "42.3", "8", "21.6", "97", "42.3"),
}
# Makers that the collection spells in two ways, and entries that name no maker.
SCHREIBWEISEN = {"Apli": "APLI"}
KEIN_HERSTELLER = {"Russian"}


def mm(text):
    treffer = re.fullmatch(r"\s*([-+0-9.eE]*?)\s*(pt|mm|cm|in|pc)?\s*", text or "")
    zahl = treffer.group(1) if treffer else ""
    if zahl == "":
        return Decimal(0)
    wert = Decimal(zahl) * EINHEITEN[treffer.group(2) or "pt"]
    return wert.quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)


def text(wert):
    s = format(wert.normalize(), "f")
    return "0" if s in ("-0", "") else s


def natuerlich(nummer):
    return [int(t) if t.isdigit() else t.lower() for t in re.split(r"(\d+)", nummer)]


def vorlagen(gitordner):
    dateien = subprocess.run(["git", "--git-dir", gitordner, "ls-tree", "--name-only", "HEAD", "templates/"],
                             check=True, capture_output=True, text=True).stdout.split()
    for datei in sorted(d for d in dateien if d.endswith("-templates.xml")):
        inhalt = subprocess.run(["git", "--git-dir", gitordner, "show", "HEAD:" + datei], check=True,
                                capture_output=True).stdout
        wurzel = ET.fromstring(inhalt)
        for element in wurzel.iter():
            element.tag = element.tag.rpartition("}")[2]  # some files carry a namespace, most do not
        yield from wurzel.iter("Template")


def main():
    boegen = {}  # (maker, part) -> sheet measures
    aliase = []
    for t in vorlagen(sys.argv[1]):
        hersteller, nummer = t.get("brand", "").strip(), t.get("part", "").strip()
        hersteller = SCHREIBWEISEN.get(hersteller, hersteller)
        if hersteller in KEIN_HERSTELLER or not hersteller or not nummer:
            continue
        if t.get("equiv"):
            aliase.append((hersteller, nummer, t.get("equiv").strip()))
            continue
        if t.get("size") != "A4":
            continue
        formen = [k for k in t if k.tag.startswith("Label-")]
        if len(formen) != 1:
            continue
        f = formen[0]
        layouts = f.findall("Layout")
        if len(layouts) != 1:
            continue
        if f.tag == "Label-rectangle":
            form, b, h = "Rechteck", mm(f.get("width")), mm(f.get("height"))
        elif f.tag == "Label-round":
            form, b = "Rund", 2 * mm(f.get("radius"))
            h = b
        elif f.tag == "Label-ellipse":
            b, h = mm(f.get("width")), mm(f.get("height"))
            form = "Rund" if b == h else "Oval"
        else:
            continue
        l = layouts[0]
        nx, ny = int(l.get("nx", "1")), int(l.get("ny", "1"))
        dx, dy = mm(l.get("dx")), mm(l.get("dy"))
        masse = [b, h, mm(l.get("x0")), mm(l.get("y0")), dx if nx > 1 else b, dy if ny > 1 else h]
        if (hersteller, nummer) in KORREKTUREN:
            masse = [Decimal(w) for w in KORREKTUREN[(hersteller, nummer)]]
        boegen.setdefault((hersteller, nummer), (form, nx, ny, *masse))

    gruppen = {}
    for schluessel, bogen in boegen.items():
        gruppen.setdefault((schluessel[0], bogen), set()).add(schluessel[1])
    for hersteller, nummer, basis in aliase:
        if (hersteller, basis) in boegen:
            gruppen[(hersteller, boegen[(hersteller, basis)])].add(nummer)

    zeilen = []
    for (hersteller, bogen), nummern in gruppen.items():
        form, nx, ny, *masse = bogen
        nummern = sorted(nummern, key=natuerlich)
        zeilen.append([hersteller, ", ".join(nummern), form, str(nx), str(ny)] + [text(w) for w in masse])
    zeilen.sort(key=lambda z: (z[0].lower(), natuerlich(z[1])))

    print("# A4 label sheets: maker, product numbers sharing the sheet, shape, columns, rows, then in millimetres")
    print("# label width and height, left and top margin, horizontal and vertical pitch.")
    stand = subprocess.run(["git", "--git-dir", sys.argv[1], "rev-parse", "HEAD"], check=True, capture_output=True,
                           text=True).stdout.strip()
    print("# Carried over by umwandeln.py from the template collection of glabels-qt (MIT licence,")
    print("# https://github.com/jimevins/glabels-qt, templates/*.xml), corrected where the maker's data sheet")
    print(f"# differs. Commit {stand}.")
    print("# Lines starting with # and empty lines are skipped.")
    print("\t".join(["Hersteller", "Nummern", "Form", "Spalten", "Zeilen", "Breite", "Hoehe", "LinkerRand",
                     "ObererRand", "Horizontalabstand", "Vertikalabstand"]))
    for z in zeilen:
        print("\t".join(z))
    produkte = sum(len(z[1].split(", ")) for z in zeilen)
    print(f"{len(zeilen)} Bögen, {produkte} Produkte", file=sys.stderr)


if __name__ == "__main__":
    main()
