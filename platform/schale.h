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

struct Aufloesung
{
    int x = 96;
    int y = 96;
};

// The screen's logical dots per inch per axis.
Aufloesung BildschirmAufloesung();
