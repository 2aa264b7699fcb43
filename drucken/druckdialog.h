#pragma once

#include "platform/dialogdienst.h"

#include <QPageLayout>
#include <QPointer>
#include <QStringList>

class QDialog;
class QPrintDialog;

// Qt's print dialog, kept from one print to the next.
class QtDruckdialog : public Druckdialog
{
public:
    ~QtDruckdialog() override;
    bool zeige(QPrinter &drucker, QWidget *besitzer) override;

private:
    void richteEigenschaftenEin(QDialog &eigenschaften);

    // One print dialog per printer: a new one would forget what its printer properties were set to (the tray).
    // It lists the printers there were when it was made.
    QPointer<QPrintDialog> m_druckDialog;
    QStringList m_druckerliste;
    // The paper the printer had before the dialog, and the printer properties in which the person confirmed a
    // paper: Qt's dialog starts them on the printer's own default paper.
    QPageLayout m_papier;
    QPointer<QDialog> m_papierGewaehlt;
};
