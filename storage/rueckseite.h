#pragma once

#include <QImage>
#include <QString>

// A label's back: a picture in the label's own folder, which its settings file names.

// The file the back `name` of the label picture `etikett` is: beside it. Throws Fehler naming it: a name with a path
// part, a file that is not there.
QString RueckseitenDatei(const QString &etikett, const QString &name);

// The back's picture, read through the one picture room. Throws Fehler as RueckseitenDatei, as the picture room
// refuses files, and for a file that holds no readable picture.
QImage LeseRueckseite(const QString &etikett, const QString &name);

// "Das Etikett <Name> hat keine Rückseite."
QString KeineRueckseite(const QString &etikett);
