#pragma once

#include <QString>

// What every fuzz target shares: a headless application made once before the first input, a folder of its
// own for files, and a check that turns a broken promise into a finding.

// A folder that lives as long as the run; the per-user store (XDG_CONFIG_HOME) lies in it too.
QString Arbeitsordner();

// Ends the run with the broken condition; libFuzzer keeps the input as a finding.
[[noreturn]] void Verletzt(const char *datei, int zeile, const char *bedingung);

#define PRUEFE(bedingung) \
    do { \
        if (!(bedingung)) \
            Verletzt(__FILE__, __LINE__, #bedingung); \
    } while (0)
