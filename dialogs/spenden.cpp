#include "dialogs/spenden.h"

#include "dialogs/dialogteile.h"
#include "dialogs/smiley.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTextEdit>

namespace {

const QStringList Spendentext = {
    QStringLiteral("   Morvane ist Freeware: Sie dürfen es"),
    QStringLiteral("   kostenlos benutzen. Wenn Ihnen das"),
    QStringLiteral("   Programm gefällt, unterstützen Sie bitte"),
    QStringLiteral("   seine weitere Entwicklung mit einer"),
    QStringLiteral("   Spende. Überweisen Sie dazu einfach einen"),
    QStringLiteral("   Betrag Ihrer Wahl auf das Konto unseres"),
    QStringLiteral("   Softwareprojekts. Die Kontonummer steht"),
    QStringLiteral("   im Impressum unserer Webseite. Spenden"),
    QStringLiteral("   behandeln wir nach den Regeln des"),
    QStringLiteral("   Finanzamts. Herzlichen Dank!"),
    QString(),
};

} // namespace

TSpendenBox::TSpendenBox(QWidget *parent, const QIcon &programmSymbol) : QDialog(parent)
{
    setObjectName(QStringLiteral("SpendenBox"));
    RichteDialogEin(*this, QStringLiteral("Spenden"), 414, 395, programmSymbol);

    QFrame *panel = ErzeugePanel(this, 8, 8, 399, 343);

    auto *banner = new QLabel(panel);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setGeometry(88, 6, 225, 57);
    banner->setPixmap(SpendenBanner());

    auto *text = new QTextEdit(panel);
    text->setObjectName(QStringLiteral("RichEdit1"));
    text->setGeometry(1, 70, 396, 197);
    text->setFont(DialogSchrift(QStringLiteral("Verdana"), 15));
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setPlainText(Spendentext.join(QLatin1Char('\n')));
    text->setAccessibleName(QStringLiteral("Spendenaufruf"));

    ErzeugeKontaktzeilen(panel, {65, 279}, {123, 296}, {129, 311});
    ErzeugeOkKnopf(*this, 173, 360)->setFocus();
}

void TSpendenBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ZentriereAufBildschirm(*this);
}
