#pragma once

#include "app/formetikette_p.h"
#include "app/updown.h"
#include "bitmaps.h"
#include "layout/infobild.h"
#include "eigenerspeicher.h"
#include "skriptdialoge.h"

#include <QCheckBox>
#include <QDir>
#include <QTimer>
#include <QToolButton>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// A program folder of its own for one test: the data folders, a sample label, the layout pictures, and a
// per-user store below it. The working directory is moved there, as the program runs in its folder.
class Programmordner
{
public:
    Programmordner()
    {
        QVERIFY(m_dir.isValid());
        m_alterOrdner = QDir::currentPath();
        wurzel = QDir::toNativeSeparators(QDir(m_dir.path()).canonicalPath() + QStringLiteral("/prog/"));
        QDir().mkpath(wurzel + QStringLiteral("Morvane/Vorlagen"));
        QDir().mkpath(wurzel + QStringLiteral("Morvane/Druckposition Infos"));
        const QString infos = wurzel + QStringLiteral("Morvane/Druckposition Infos/");
        for (const auto &[x, y] : InfobildLayouts()) {
            ZeichneInfobild(x, y).save(infos + InfobildDatei(x, y), "BMP");
            DatiereZurueck(infos + InfobildDatei(x, y));
        }
        ZeichneKeinBild().save(infos + QStringLiteral("Kein Bild.bmp"), "BMP");
        DatiereZurueck(infos + QStringLiteral("Kein Bild.bmp"));
        schreibeEtikett(QStringLiteral("Visitenkarte_85x54"), 401, 255,
                        "[Einstellung]\r\nObererRand=10\r\nSeitenRand=15\r\nVertikalabstand=54\r\n"
                        "Horizontalabstand=95\r\nEtikettenhoehe=54\r\nEtikettenbreite=85\r\n"
                        "AnzahlEtikettenInZeile=2\r\nAnzahlEtikettenInSpalte=5\r\n");
        NimmSpeicherIn(m_dir.path() + QStringLiteral("/config"));
        QDir::setCurrent(wurzel);
    }
    ~Programmordner()
    {
        QDir::setCurrent(m_alterOrdner);
        LoescheSpeicher();
    }

    // Paths below the program folder as the program shows them: with the system's separator.
    QString pfad(const QString &teil) const { return QDir::toNativeSeparators(wurzel + teil); }
    QString daten(const QString &name) const { return pfad(QStringLiteral("Morvane/") + name); }

    // A label picture with a frame, so that its placement can be found in composed pictures.
    QString schreibeEtikett(const QString &name, int breite, int hoehe, const QByteArray &einstellungen)
    {
        QImage bild(breite, hoehe, QImage::Format_RGB32);
        bild.fill(QColor(255, 255, 200));
        QPainter p(&bild);
        p.setPen(QColor(200, 0, 0));
        p.drawRect(0, 0, breite - 1, hoehe - 1);
        p.end();
        const QString pfad = daten(name + QStringLiteral(".bmp"));
        bild.save(pfad, "BMP");
        DatiereZurueck(pfad);
        if (!einstellungen.isNull()) {
            QFile f(daten(name + QStringLiteral(".ini")));
            f.open(QIODevice::WriteOnly);
            f.write(einstellungen);
        }
        return pfad;
    }

    QString wurzel;
    SkriptDialoge dialoge;
    AufzeichnendeSchale schale;

    std::unique_ptr<TFormEtikette> fenster(int argumente = 0)
    {
        return std::make_unique<TFormEtikette>(Umgebung{dialoge,
                                                        schale,
                                                        [] {
                                                            return Aufloesung{96, 96};
                                                        },
                                                        argumente,
                                                        {}});
    }

    // Shows the window and waits until the start-up work of the first paint has run.
    static void starte(TFormEtikette &form)
    {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(!form.zustand().ErsterAufruf);
        QTest::qWait(50);
        QCoreApplication::processEvents();
    }

private:
    QTemporaryDir m_dir;
    QString m_alterOrdner;
};

// A window started on the sample label in a program folder of its own.
struct Gestartet
{
    Programmordner p;
    std::unique_ptr<TFormEtikette> form;
    Gestartet()
    {
        form = p.fenster();
        Programmordner::starte(*form);
    }
};

// An arrow of a spin editor, clicked with the mouse.
inline void klick(TUpDown *updown, bool hoch = true)
{
    QTest::mouseClick(hoch ? updown->hochKnopf() : updown->runterKnopf(), Qt::LeftButton);
}

// A click on a check box's indicator, as the user makes it.
inline void klick(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Opens a copy of the sample sheet whose picture is too wide for two labels side by side on the raster.
inline void oeffneZuBreit(Programmordner &p, TFormEtikette &form)
{
    QFile muster(p.daten(QStringLiteral("Visitenkarte_85x54.ini")));
    QVERIFY(muster.open(QIODevice::ReadOnly));
    p.dialoge.dateien.push_back(p.schreibeEtikett(QStringLiteral("Breit"), 480, 255, muster.readAll()));
    form.Oeffnen1->trigger();
    QVERIFY(p.dialoge.texte(QStringLiteral("fehler")).isEmpty());
    p.dialoge.leeren();
}

// The three ticks of the delayed refresh, without waiting for the clock.
inline void ticken(TFormEtikette &form)
{
    for (int i = 0; i < 3 && form.VerzoegerungsTimer->isActive(); ++i)
        form.VerzoegerungsTimerTimer();
}
