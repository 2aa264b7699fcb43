#include "platform/dialogdienst.h"

#include "dialogs/etikettenbogendialog.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace {

// A box opened during the delayed refresh would otherwise show the hourglass over its buttons.
class PfeilWaehrendBox
{
public:
    PfeilWaehrendBox() : m_aktiv(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_aktiv)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~PfeilWaehrendBox()
    {
        if (m_aktiv)
            QGuiApplication::restoreOverrideCursor();
    }
    PfeilWaehrendBox(const PfeilWaehrendBox &) = delete;
    PfeilWaehrendBox &operator=(const PfeilWaehrendBox &) = delete;

private:
    bool m_aktiv;
};

void hinweis(QWidget *besitzer, QMessageBox::Icon icon, const QString &titel, const QString &text)
{
    const PfeilWaehrendBox pfeil;
    QMessageBox box(icon, titel, text, QMessageBox::NoButton, besitzer);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

// "&Ja" is the default button and Escape answers "&Nein"; any answer but "&Ja" is no.
bool jaNein(QWidget *besitzer, const QString &text)
{
    const PfeilWaehrendBox pfeil;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), text, QMessageBox::NoButton, besitzer);
    QPushButton *ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton *nein = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(ja);
    box.setEscapeButton(nein);
    box.exec();
    return box.clickedButton() == ja;
}

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

void QtDialoge::information(const QString &text)
{
    hinweis(m_besitzer, QMessageBox::Information, QStringLiteral("Information"), text);
}

bool QtDialoge::frage(const QString &text)
{
    return jaNein(m_besitzer, text);
}

bool QtDialoge::druckFrage(const QString &text)
{
    return jaNein(m_besitzer, text);
}

bool QtDialoge::randFrage(const QString &text)
{
    const PfeilWaehrendBox pfeil;
    QMessageBox box(QMessageBox::Warning, ProgrammTitel, text, QMessageBox::NoButton, m_besitzer);
    QPushButton *trotzdem = box.addButton(QStringLiteral("Trotzdem drucken"), QMessageBox::AcceptRole);
    // What is lost on paper cannot be had back: a hasty Return prints nothing.
    QPushButton *abbrechen = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(abbrechen);
    box.setEscapeButton(abbrechen);
    box.exec();
    return box.clickedButton() == trotzdem;
}

void QtDialoge::meldung(const QString &text)
{
    hinweis(m_besitzer, QMessageBox::NoIcon, ProgrammTitel, text);
}

void QtDialoge::fehler(const QString &text)
{
    hinweis(m_besitzer, QMessageBox::Critical, ProgrammTitel, text);
}

std::optional<QString> QtDialoge::dateiOeffnen(const QString &vorgabe)
{
    QFileDialog dialog(m_besitzer);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.setNameFilter(QStringLiteral("Bitmaps (*.bmp)"));
    const QFileInfo info(vorgabe);
    dialog.setDirectory(info.absolutePath());
    if (!info.fileName().contains(QLatin1Char('*')))
        dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialoge::eingabe(const QString &vorbelegung)
{
    QInputDialog dialog(m_besitzer);
    dialog.setWindowTitle(QStringLiteral("Eingabedialog"));
    dialog.setLabelText(QStringLiteral("Eingabeaufforderung"));
    dialog.setTextValue(vorbelegung);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QtDialoge::~QtDialoge()
{
    delete m_druckDialog;
}

bool QtDialoge::druckDialog(QPrinter &drucker)
{
    // A printer added or removed since the dialog was made would be missing from its list, or still in it.
    const QStringList liste = QPrinterInfo::availablePrinterNames();
    if (m_druckDialog && (m_druckDialog->printer() != &drucker || m_druckerliste != liste))
        delete m_druckDialog;
    if (!m_druckDialog) {
        m_druckDialog = new QPrintDialog(&drucker, m_besitzer);
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

void QtDialoge::richteEigenschaftenEin(QDialog &eigenschaften)
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

std::optional<Etikettenbogen> QtDialoge::etikettenbogen(const QList<Etikettenbogen> &boegen)
{
    TEtikettenbogenDialog dialog(boegen, m_besitzer);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.gewaehlterBogen();
}
