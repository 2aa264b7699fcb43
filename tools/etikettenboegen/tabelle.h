#pragma once

#include <QString>
#include <QStringList>

// The source table boegen.tsv: lines starting with "#" and empty lines are comments, the first other line is the
// header (the catalogue's columns, tab-separated), then one sheet per line with product numbers joined by ", ".
// Returns the catalogue file's text. A line that fails the cross-check, is not a sheet or repeats a maker's
// product number is left out, and `notizen` says which and why.
QString KatalogAusTabelle(const QString &tabelle, QStringList &notizen);
