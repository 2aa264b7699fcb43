#pragma once

#include "blatt/bogenmasse.h"

#include <QString>

// The A4 fit check: whether a row or a column of labels fits on the sheet,
// and the message that explains it when it does not. Lengths in mm.

struct Pruefung
{
    bool passt = true;
    QString meldung;    // empty when it fits
    int hoechstens = 0; // a precise label's largest count that fits (at least 1); 0 for an ordinary label
};

// A row fits when AnzahlInZeile <= (210 - SeitenRand) / (pitch - 2), pitch being
// the larger of Horizontalabstand and Etikettenbreite. A pitch of exactly 2 mm
// leaves no room to divide by and counts as not fitting.
// A precise label's row fits when its last label ends within 210 mm: SeitenRand + (n - 1) x Horizontalabstand +
// Etikettenbreite, exactly; its message gives that far edge as it is summed, with the exact values and a decimal
// comma. The same for a column.
Pruefung PruefeHorizontal(const Bogenmasse &m);

// A column fits when AnzahlInSpalte <= (297 - ObererRand) / pitch, pitch being the
// larger of Vertikalabstand and Etikettenhoehe; a pitch of 0 counts as not fitting.
Pruefung PruefeVertikal(const Bogenmasse &m);

// Why the measures cannot go to paper, as the window and morvane-druck tell it alike: the fit messages of row and
// column, joined by an empty line. Empty when the sheet fits.
QString DruckHindernis(const Bogenmasse &m);

// The count a rejected count falls back to: never below the loaded one.
int Rueckfallanzahl(int letzte, int geladene);

// What a count edit remembers as its fallback after its editor moved to position.
int LetzteAnzahlNachAenderung(int position, int geladene);

// Two labels side by side in the sheet bitmap, measured in label-picture pixels.
struct Nebeneinander
{
    int SeitenRandPixel = 0;
    int LueckePixel = 0;
    bool moeglich = false;
};

// bildBreite is the width of the label picture in pixels; it covers Etikettenbreite mm. Two labels and the left
// margin must fit the sheet raster's width. An Etikettenbreite of 0 gives no scale and means "not possible".
// A precise label is printed without the raster: its second label must end within 210 mm.
Nebeneinander PruefeNebeneinander(int bildBreite, const Bogenmasse &m);
