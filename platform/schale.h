#pragma once

#include <QString>

// The desktop around the program: starting the paint program and opening files with their default program.
class Schale
{
public:
    virtual ~Schale() = default;
    // Starts the paint program with the picture path as one argument; false when nothing could be started.
    virtual bool malprogrammStarten(const QString &bildPfad) = 0;
    // Opens a file with the desktop's default program; false when that failed.
    virtual bool oeffnen(const QString &pfad) = 0;
};

class DesktopSchale : public Schale
{
public:
    bool malprogrammStarten(const QString &bildPfad) override;
    bool oeffnen(const QString &pfad) override;
};

// One call of the Windows shell: verb (empty for the file type's default action), file, parameters, show mode.
struct Schalenaufruf
{
    QString verb;
    QString datei;
    QString parameter;
    int zeigen = 1;
    bool operator==(const Schalenaufruf &) const = default;
};
inline constexpr int ZeigeNormal = 1; // SW_SHOWNORMAL
inline constexpr int Zeige = 5;       // SW_SHOW
inline const QString Malprogramm = QStringLiteral("C:\\Windows\\System32\\mspaint.exe");

// The paint program with the picture as one quoted argument where it exists, else the picture's default program.
Schalenaufruf MalprogrammAufruf(const QString &bildPfad, bool malprogrammDa);
// A file opened with its default program.
Schalenaufruf OeffnenAufruf(const QString &pfad);

struct Aufloesung
{
    int x = 96;
    int y = 96;
};

// The screen's logical dots per inch per axis.
Aufloesung BildschirmAufloesung();
