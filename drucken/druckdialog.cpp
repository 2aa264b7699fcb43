#include "drucken/druckdialog.h"

#include <QComboBox>
#include <QEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

#include <functional>

namespace {

const char *const Eingerichtet = "morvaneEingerichtet";

// Sees the printer properties of a print dialog when they are about to show.
class PapierWaechter : public QObject
{
public:
    PapierWaechter(QObject *eltern, std::function<void(QDialog &)> beimZeigen)
        : QObject(eltern), m_beimZeigen(std::move(beimZeigen))
    {}

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override
    {
        if (ereignis->type() == QEvent::ChildPolished)
            if (auto *dialog = qobject_cast<QDialog *>(static_cast<QChildEvent *>(ereignis)->child()))
                m_beimZeigen(*dialog);
        return QObject::eventFilter(objekt, ereignis);
    }

private:
    std::function<void(QDialog &)> m_beimZeigen;
};

} // namespace

QtDruckdialog::~QtDruckdialog()
{
    delete m_druckDialog;
}

bool QtDruckdialog::zeige(QPrinter &drucker, QWidget *besitzer)
{
    // A printer added or removed since the dialog was made would be missing from its list, or still in it.
    const QStringList liste = QPrinterInfo::availablePrinterNames();
    if (m_druckDialog && (m_druckDialog->printer() != &drucker || m_druckerliste != liste))
        delete m_druckDialog;
    if (!m_druckDialog) {
        m_druckDialog = new QPrintDialog(&drucker, besitzer);
        m_druckerliste = liste;
        m_papierGewaehlt = nullptr;
        // The printer properties come and go with the chosen printer; each shown one starts on our paper.
        m_druckDialog->installEventFilter(new PapierWaechter(
            m_druckDialog, [this](QDialog &eigenschaften) { richteEigenschaftenEin(eigenschaften); }));
    }
    m_papier = drucker.pageLayout();
    if (m_druckDialog->exec() != QDialog::Accepted)
        return false;
    if (!m_papierGewaehlt) {
        drucker.setPageSize(m_papier.pageSize());
        drucker.setPageOrientation(m_papier.orientation());
    }
    return true;
}

void QtDruckdialog::richteEigenschaftenEin(QDialog &eigenschaften)
{
    if (eigenschaften.property(Eingerichtet).toBool())
        return;
    eigenschaften.setProperty(Eingerichtet, true);
    if (auto *groesse = eigenschaften.findChild<QComboBox *>(QStringLiteral("pageSizeCombo"))) {
        for (int i = 0; i < groesse->count(); ++i)
            if (groesse->itemData(i).value<QPageSize>().isEquivalentTo(m_papier.pageSize())) {
                groesse->setCurrentIndex(i);
                break;
            }
    }
    const char *richtung = m_papier.orientation() == QPageLayout::Portrait ? "portrait" : "landscape";
    if (auto *knopf = eigenschaften.findChild<QRadioButton *>(QLatin1String(richtung)))
        knopf->click();
    QObject::connect(&eigenschaften, &QDialog::accepted, &eigenschaften,
                     [this, &eigenschaften] { m_papierGewaehlt = &eigenschaften; });
}
