#include "dialogs/info.h"

#include "dialogs/dialogteile.h"

#include <QFontMetrics>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextDocument>

#ifndef MORVANE_VERSION
#error "MORVANE_VERSION must be defined by the build"
#endif

namespace {

// Leading blanks that put `text` roughly in the middle of a line `breite` pixels wide in the font given.
// Computed, not fixed, because the Windows fonts are substituted and blanks differ in width.
QString Eingerueckt(const QString &text, const QFont &schrift, int breite)
{
    const QFontMetrics fm(schrift);
    const int blank = qMax(1, fm.horizontalAdvance(QLatin1Char(' ')));
    const int frei = breite - fm.horizontalAdvance(text);
    return QString(qMax(1, frei / 2 / blank), QLatin1Char(' ')) + text;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent, const QIcon &programmSymbol) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    RichteDialogEin(*this, QStringLiteral("Info"), 338, 238, programmSymbol);

    QFrame *panel = ErzeugePanel(this, 8, 8, 321, 193);

    auto *memo = new QPlainTextEdit(panel);
    memo->setObjectName(QStringLiteral("Memo"));
    memo->setGeometry(3, 2, 313, 111);
    memo->setReadOnly(true);
    memo->setAccessibleName(QStringLiteral("Info über Morvane"));
    const QFont memoSchrift = DialogSchrift(QStringLiteral("Verdana"), 13, true);
    memo->setFont(memoSchrift);
    // Like the Windows memo: no scroll bars and a narrow inner margin, so the longest line fits in one.
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->document()->setDocumentMargin(2);
    const int zeilenbreite = 313 - 2 * (memo->frameWidth() + 2);
    memo->setPlainText(QStringList{
        Eingerueckt(QStringLiteral("Morvane"), memoSchrift, zeilenbreite),
        Eingerueckt(QStringLiteral("Version " MORVANE_VERSION), memoSchrift, zeilenbreite),
        QString(),
        QStringLiteral("   Freeware"),
        QString(),
        QStringLiteral("Damit gestalten Sie Ihre Etiketten selbst."),
    }
                           .join(QLatin1Char('\n')));

    ErzeugeKontaktzeilen(panel, {23, 139}, {81, 156}, {87, 171});
    ErzeugeOkKnopf(*this, 131, 206)->setFocus();
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ZentriereAufBildschirm(*this);
}
