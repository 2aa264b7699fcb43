// Outside editing of the label picture, reloading it, and the help file.
#include "app/formetikette.h"

#include "app/bildansicht.h"
#include "platform/dialogdienst.h"
#include "platform/fehler.h"

#include <QFileInfo>
#include <QPushButton>

void TFormEtikette::Etikettbearbeiten1Click()
{
    dialoge().meldung(QStringLiteral(
        "Das Etikett wird in Ihr Standard Bildverarbeitungsprogramm geladen. Sie können es dann bearbeiten und "
        "danach SPEICHERN.\r\nWechseln Sie nach dem Speichern zum Programm Etiketten zurück und betätigen den "
        "Schalter \"Etikett neu laden\""));
    BitBtnNeuladen->show();
    if (!m_umgebung.schale.malprogrammStarten(m_zustand.AktuelleEtikettDatei))
        dialoge().meldung(QStringLiteral("Es ist ein Fehler aufgetreten"));
}

void TFormEtikette::Image1DblClick()
{
    Etikettbearbeiten1Click();
}

void TFormEtikette::BitBtnNeuladenClick()
{
    if (QFileInfo(m_zustand.AktuelleEtikettDatei).isFile()) {
        if (Etikettbild(true).isNull())
            throw Fehler(KeinLesbaresBild(m_zustand.AktuelleEtikettDatei));
        StelleGroesseImage1ein();
    }
    BitBtnNeuladen->hide();
}

void TFormEtikette::Etikettneuladen1Click()
{
    BitBtnNeuladenClick();
}

void TFormEtikette::Hilfethemen1Click()
{
    const QString hilfe = m_zustand.ProgrammOrdner + QStringLiteral("Morvane-Hilfe.pdf");
    if (QFileInfo(hilfe).isFile()) {
        // Nothing opening would look like a menu item that does nothing.
        if (!m_umgebung.schale.oeffnen(hilfe))
            dialoge().meldung(QStringLiteral("Zum Anzeigen der Hilfe wurde kein Programm für PDF-Dateien gefunden."));
    } else
        dialoge().meldung(QStringLiteral("Die Datei: Morvane-Hilfe.pdf existiert nicht!"));
}
