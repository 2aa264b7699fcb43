#include "dialogs/qtdialoge.h"

#include "dialogs/bildwahldialog.h"
#include "dialogs/etikettenbogendialog.h"
#include "drucken/druckmodul.h"
#include "platform/fehler.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

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

// "&Ja" is the default button, unless `neinVorgabe`, and Escape answers "&Nein"; any answer but "&Ja" is no.
bool jaNein(QWidget *besitzer, const QString &text, bool neinVorgabe = false)
{
    const PfeilWaehrendBox pfeil;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), text, QMessageBox::NoButton, besitzer);
    QPushButton *ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton *nein = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(neinVorgabe ? nein : ja);
    box.setEscapeButton(nein);
    box.exec();
    return box.clickedButton() == ja;
}

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

bool QtDialoge::vorsichtsfrage(const QString &text)
{
    return jaNein(m_besitzer, text, true);
}

int QtDialoge::wendeFrage(const QString &text)
{
    return auswahl(text, {QStringLiteral("&Ja"), QStringLiteral("&Wendeprobe drucken..."), QStringLiteral("&Nein")}, 0);
}

int QtDialoge::auswahl(const QString &text, const QStringList &knoepfe, int vorgabe)
{
    const PfeilWaehrendBox pfeil;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), text, QMessageBox::NoButton, m_besitzer);
    QList<QPushButton *> knoepfeDerBox;
    for (const QString &k : knoepfe)
        knoepfeDerBox.append(box.addButton(k, QMessageBox::ActionRole));
    if (knoepfeDerBox.isEmpty())
        return -1;
    box.setDefaultButton(knoepfeDerBox.value(vorgabe, knoepfeDerBox.constLast()));
    box.setEscapeButton(knoepfeDerBox.constLast());
    box.exec();
    const qsizetype genommen = knoepfeDerBox.indexOf(box.clickedButton());
    return int(genommen < 0 ? knoepfeDerBox.size() - 1 : genommen);
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

std::optional<QString> QtDialoge::dateiOeffnen(const QString &vorgabe, const QString &titel)
{
    QFileDialog dialog(m_besitzer);
    if (!titel.isEmpty())
        dialog.setWindowTitle(titel);
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

std::optional<QString> QtDialoge::bildOeffnen(const QString &ordner, const QStringList &muster, const QString &titel)
{
    QFileDialog dialog(m_besitzer);
    if (!titel.isEmpty())
        dialog.setWindowTitle(titel);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Bilder (%1)").arg(muster.join(QLatin1Char(' '))),
                           QStringLiteral("Alle Dateien (*)")});
    dialog.setDirectory(ordner);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialoge::eingabe(const QString &vorbelegung)
{
    QInputDialog dialog(m_besitzer);
    dialog.setWindowTitle(QStringLiteral("Eingabedialog"));
    dialog.setLabelText(QStringLiteral("Eingabeaufforderung"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(vorbelegung);
    // The prompt stays as it is on screen; a screen reader hears what the field is for.
    if (auto *feld = dialog.findChild<QLineEdit *>())
        feld->setAccessibleName(QStringLiteral("Name des neuen Etiketts"));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QtDialoge::~QtDialoge() = default;

bool QtDialoge::druckDialog(QPrinter &drucker)
{
    if (!m_druckDialog)
        m_druckDialog = NeuerDruckdialog();
    return m_druckDialog->zeige(drucker, m_besitzer);
}

std::optional<Etikettenbogen> QtDialoge::etikettenbogen(const QList<Etikettenbogen> &boegen)
{
    TEtikettenbogenDialog dialog(boegen, m_besitzer);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.gewaehlterBogen();
}

std::optional<Einpassung> QtDialoge::bildEinpassung(const Bildwahl &wahl)
{
    TBildwahlDialog dialog(wahl, m_besitzer);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.einpassung();
}
