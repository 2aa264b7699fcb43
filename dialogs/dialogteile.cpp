#include "dialogs/dialogteile.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

QFont DialogSchrift(const QString &familie, int pixel, bool fett)
{
    QFont f(familie);
    f.setPixelSize(pixel);
    f.setBold(fett);
    return f;
}

void RichteDialogEin(QDialog &dialog, const QString &titel, int breite, int hoehe, const QIcon &symbol)
{
    // A dialog border: caption and close button, no resizing, no help button.
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(titel);
    dialog.setFixedSize(breite, hoehe);
    dialog.setFont(DialogSchrift(QStringLiteral("MS Sans Serif"), 11));
    dialog.setWindowIcon(symbol.isNull() ? QGuiApplication::windowIcon() : symbol);
    dialog.setModal(true);
}

QFrame *ErzeugePanel(QWidget *eltern, int links, int oben, int breite, int hoehe)
{
    auto *panel = new QFrame(eltern);
    panel->setObjectName(QStringLiteral("Panel1"));
    // A sunken box draws the etched line of a lowered outer and a raised inner bevel.
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setMidLineWidth(0);
    panel->setGeometry(links, oben, breite, hoehe);
    return panel;
}

void ErzeugeKontaktzeilen(QWidget *panel, QPoint copyright, QPoint label2, QPoint label1)
{
    const struct
    {
        const char *name;
        QString text;
        QPoint ort;
    } zeilen[] = {
        {"Copyright", KontaktHersteller, copyright},
        {"Label2", KontaktEmail, label2},
        {"Label1", KontaktWeb, label1},
    };
    for (const auto &z : zeilen) {
        auto *label = new QLabel(z.text, panel);
        label->setObjectName(QLatin1String(z.name));
        label->setFont(DialogSchrift(QStringLiteral("Verdana"), 11));
        label->move(z.ort);
        label->adjustSize();
    }
}

QPushButton *ErzeugeOkKnopf(QDialog &dialog, int links, int oben)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(links, oben, 75, 25);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    return ok;
}

Knopfzeile ErzeugeKnopfzeile(QDialog &dialog, const QString &annehmen, const QString &annehmenName,
                             const QString &abbrechenName)
{
    auto *zeile = new QDialogButtonBox(&dialog);
    QPushButton *ja = zeile->addButton(annehmen, QDialogButtonBox::AcceptRole);
    ja->setObjectName(annehmenName);
    ja->setDefault(true);
    QPushButton *nein = zeile->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    nein->setObjectName(abbrechenName);
    QObject::connect(nein, &QPushButton::clicked, &dialog, &QDialog::reject);
    return {zeile, ja, nein};
}

void ZentriereAufBildschirm(QWidget &fenster)
{
    const QScreen *schirm = fenster.screen() ? fenster.screen() : QGuiApplication::primaryScreen();
    if (!schirm)
        return;
    QRect rahmen = fenster.frameGeometry();
    rahmen.moveCenter(schirm->availableGeometry().center());
    fenster.move(rahmen.topLeft());
}
