#include "gemeinsam.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

QString Arbeitsordner()
{
    // Removed when the run ends normally; a crash leaves it for a look.
    static const QTemporaryDir ordner;
    if (!ordner.isValid())
        Verletzt(__FILE__, __LINE__, "ordner.isValid()");
    return ordner.path();
}

void Verletzt(const char *datei, int zeile, const char *bedingung)
{
    std::fprintf(stderr, "\n%s:%d: Zusicherung verletzt: %s\n", datei, zeile, bedingung);
    std::abort();
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", Arbeitsordner().toUtf8());
    // Decoding work per input stays small; a picture beyond this is refused by the decoder, not read.
    QImageReader::setAllocationLimit(16);
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    // Never destroyed: inputs run until the fuzzer exits.
    new QGuiApplication(argc, argv);
    return 0;
}
