// The four print-mode boxes, the label position, and the layout picture with its mark.
#include "app/formetikette_p.h"

#include "app/bildansicht.h"
#include "app/updown.h"
#include "layout/infobild.h"
#include "layout/markierung.h"
#include "platform/dialogdienst.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {
const QRgb Blau = qRgb(0, 0, 255);
const QRgb Weiss = qRgb(255, 255, 255);
} // namespace

void TFormEtikette::MehrereEtikettenDruckenCheckBoxClick()
{
    if (MehrereEtikettenDruckenCheckBox->isChecked()) {
        NurDieZeileCheckBox->setChecked(false);
        NurEineDruckenCheckBox->setChecked(false);
    } else {
        GanzeSeiteCheckBox->setChecked(false);
        NurDieZeileCheckBox->setChecked(false);
        NurEineDruckenCheckBox->setChecked(true);
    }
    MachVorschau();
}

void TFormEtikette::NurEineDruckenCheckBoxClick()
{
    if (NurEineDruckenCheckBox->isChecked()) {
        // From "nothing chosen" no other box's handler runs to replace the sheet in the preview.
        const bool ausKeinemModus = !MehrereEtikettenDruckenCheckBox->isChecked() && !GanzeSeiteCheckBox->isChecked()
            && !NurDieZeileCheckBox->isChecked();
        setzePositionsfelder(true);
        MehrereEtikettenDruckenCheckBox->setChecked(false);
        GanzeSeiteCheckBox->setChecked(false);
        NurDieZeileCheckBox->setChecked(false);
        MehrereEtikettenDruckenCheckBox->setEnabled(false);
        GanzeSeiteCheckBox->setEnabled(false);
        NurDieZeileCheckBox->setEnabled(false);
        ZeigeEtikettenPosition(Blau);
        if (ausKeinemModus)
            MachVorschau();
    } else if (d->z.MehrereNebeneinanderMoeglich) {
        MehrereEtikettenDruckenCheckBox->setChecked(true);
        GanzeSeiteCheckBox->setChecked(true);
        MehrereEtikettenDruckenCheckBox->setEnabled(true);
        GanzeSeiteCheckBox->setEnabled(true);
        NurDieZeileCheckBox->setEnabled(true);
        ZeigeEtikettenPosition(Weiss);
    } else {
        // Nothing chosen prints the whole sheet; the preview must say so.
        MachVorschau();
    }
}

void TFormEtikette::setzeZeilenBeschriftung()
{
    NurDieZeileCheckBox->setText(QStringLiteral("Nur die Zeile ") + EditZeile->text());
}

void TFormEtikette::GanzeSeiteCheckBoxClick()
{
    if (GanzeSeiteCheckBox->isChecked())
        NurDieZeileCheckBox->setChecked(false);
    else
        NurDieZeileCheckBox->setChecked(true);
    setzeZeilenBeschriftung();
    ZeigeEtikettenPosition(Weiss);
}

void TFormEtikette::NurDieZeileCheckBoxClick()
{
    setzeZeilenBeschriftung();
    if (!NurEineDruckenCheckBox->isChecked()) {
        if (NurDieZeileCheckBox->isChecked())
            GanzeSeiteCheckBox->setChecked(false);
        else
            GanzeSeiteCheckBox->setChecked(true);
    }
    ZeigeEtikettenPosition(NurDieZeileCheckBox->isChecked() ? Blau : Weiss);
    ZeigeEtikettenPosition(Weiss);
    MachVorschau();
}

void TFormEtikette::UpDownSpalteClick()
{
    if (NurDieZeileCheckBox->isChecked() || GanzeSeiteCheckBox->isChecked()) {
        UpDownSpalte->setPosition(1);
        return;
    }
    if (Spalte() > AnzahlEtikettenInZeile()) {
        UpDownSpalte->setPosition(AnzahlEtikettenInZeile());
        return;
    }
    EditSpalte->setText(QString::number(Spalte()));
    ZeigeEtikettenPosition(Blau);
    MachVorschau();
}

void TFormEtikette::UpDownZeileClick()
{
    if (GanzeSeiteCheckBox->isChecked()) {
        UpDownZeile->setPosition(1);
        EditZeile->setText(QStringLiteral("1"));
        setzeZeilenBeschriftung();
        return;
    }
    EditZeile->setText(QString::number(Zeile()));
    setzeZeilenBeschriftung();
    ZeigeEtikettenPosition(NurDieZeileCheckBox->isChecked() ? Weiss : Blau);
    MachVorschau();
}

void TFormEtikette::UebernimmGetipptePosition()
{
    if (d->beendet)
        return;
    struct Positionsfeld
    {
        QLineEdit *feld;
        TUpDown *updown;
        int anzahl; // the arrows stop at the sheet's count as at the editor's maximum
        void (TFormEtikette::*klick)();
    };
    for (const Positionsfeld &p :
         {Positionsfeld{EditSpalte, UpDownSpalte, AnzahlEtikettenInZeile(), &TFormEtikette::UpDownSpalteClick},
          Positionsfeld{EditZeile, UpDownZeile, AnzahlEtikettenInSpalte(), &TFormEtikette::UpDownZeileClick}}) {
        // Only what the person typed: the arrows' rules may leave a field behind its position on purpose.
        if (!p.feld->isModified())
            continue;
        p.feld->setModified(false);
        const std::optional<int> zahl = GetippteZahl(p.feld->text());
        if (zahl && *zahl != p.updown->Position() && *zahl >= p.updown->Min()
            && *zahl <= std::min(p.updown->Max(), p.anzahl)) {
            p.updown->setPosition(*zahl);
            (this->*p.klick)();
        }
        // The arrows' rules may have sent the position elsewhere, where the field must follow.
        const QString position = QString::number(p.updown->Position());
        if (p.feld->text() != position)
            p.feld->setText(position);
    }
}

bool TFormEtikette::BringePositionAufDenBogen()
{
    const int spalten = std::max(1, AnzahlEtikettenInZeile());
    const int zeilen = std::max(1, AnzahlEtikettenInSpalte());
    // The row editor's limit has pulled its position back with the count already; its field still shows the old row.
    if (Spalte() <= spalten && Zeile() <= zeilen && EditSpalte->text().toInt() <= spalten
        && EditZeile->text().toInt() <= zeilen)
        return false;
    UpDownSpalte->setPosition(std::min(Spalte(), spalten));
    UpDownZeile->setPosition(std::min(Zeile(), zeilen));
    EditSpalte->setText(QString::number(Spalte()));
    EditZeile->setText(QString::number(Zeile()));
    setzeZeilenBeschriftung();
    return true;
}

void TFormEtikette::SetzeHinweisNurEineDrucken()
{
    if (!d->z.MehrereNebeneinanderMoeglich)
        NurEineDruckenCheckBox->setToolTip(
            QStringLiteral("!!!Mehrere Etiketten nebeneinander drucken NICHT möglich!!!"));
    else if (NurEineDruckenCheckBox->isChecked())
        NurEineDruckenCheckBox->setToolTip(QStringLiteral("Hier klicken für mehrere Etiketten drucken"));
    else
        NurEineDruckenCheckBox->setToolTip(QStringLiteral("Hier klicken für \"Nur eine Etikette drucken\""));
}

void TFormEtikette::ZeigeEtikettenPosition(QRgb farbe)
{
    ::ZeigeEtikettenPosition(ImageInfo->bildZumZeichnen(), farbe, Spalte(), Zeile(), d->z.MarkierteZelle);
    ImageInfo->update();
    ImageInfo->beschreibe(QStringLiteral("Druckposition: Spalte %1, Zeile %2").arg(Spalte()).arg(Zeile()));
}

void TFormEtikette::LadeEtikettenInfo()
{
    const QString datei = InfobildDatei(AnzahlEtikettenInZeile(), AnzahlEtikettenInSpalte());
    // A precise label's sheet may have any layout: one without a file gets its picture drawn.
    if (Masse().IstGenau() && datei == InfobildDatei(0, 0)) {
        if (const std::optional<QImage> bild = InfobildOhneDatei(AnzahlEtikettenInZeile(), AnzahlEtikettenInSpalte())) {
            ImageInfo->setBild(*bild);
            ZeigeEtikettenPosition(Blau);
            return;
        }
    }
    const QString pfad = d->z.OrdnerEtikettenInfos + datei;
    if (QFileInfo(pfad).isFile())
        ImageInfo->laden(pfad);
    else
        dialoge().meldung(QStringLiteral("Die Datei: ") + pfad + QStringLiteral(" fehlt!"));
    ZeigeEtikettenPosition(Blau);
}
