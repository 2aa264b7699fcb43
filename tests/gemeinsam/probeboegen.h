#pragma once

#include "storage/etikettenboegen.h"

#include <QtTest>

// A small catalogue in the file's own lines: whole and fractional sizes, shared product numbers, round and oval
// labels, one label on a sheet, two sheets of one size with different layouts.
inline const QStringList ProbeboegenZeilen{
    QStringLiteral("Zweckform;3474, 3490;Rechteck;3;8;70;37;0;0.5;70;37"),
    QStringLiteral("Avery;L7160, J8160;Rechteck;3;7;63.5;38.1;7.21;15.15;66.04;38.1"),
    QStringLiteral("Herma;4360;Rechteck;3;7;70;37;0;20;70;37"),
    QStringLiteral("Endisch;6500040x;Rund;4;6;40;40;16;13.5;46;46"),
    QStringLiteral("Sigel;LA 505;Oval;2;5;80;47;15;11;100;57"),
    QStringLiteral("Zweckform;3478;Rechteck;1;1;210;297;0;0;210;297"),
};

inline QList<Etikettenbogen> Probeboegen()
{
    QList<Etikettenbogen> boegen;
    for (const QString &zeile : ProbeboegenZeilen) {
        QString grund;
        const std::optional<Etikettenbogen> b = BogenAusFeldern(zeile.split(QLatin1Char(';')), &grund);
        if (!b)
            qFatal("Probebogen %s: %s", qPrintable(zeile), qPrintable(grund));
        boegen << *b;
    }
    return boegen;
}

// "Zweckform 3474, 3490": how a test names a sheet.
inline QString BogenName(const Etikettenbogen &b)
{
    return b.hersteller + QLatin1Char(' ') + b.nummern.join(QStringLiteral(", "));
}
