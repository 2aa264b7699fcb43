#include "app/bildansicht.h"

#include "platform/fehler.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace {
QAccessibleInterface *zugangFuer(const QString &, QObject *objekt)
{
    if (auto *ansicht = qobject_cast<TBildAnsicht *>(objekt))
        return new QAccessibleWidget(ansicht, QAccessible::Graphic);
    return nullptr;
}
} // namespace

TBildAnsicht::TBildAnsicht(QWidget *eltern) : QWidget(eltern)
{
    static const bool zugang = (QAccessible::installFactory(zugangFuer), true);
    Q_UNUSED(zugang);
}

void TBildAnsicht::beschreibe(const QString &text)
{
    if (accessibleName() == text)
        return;
    setAccessibleName(text);
    setAccessibleDescription(text);
}

void TBildAnsicht::setBild(const QImage &bild)
{
    m_bild = bild;
    if (m_autoSize && !bild.isNull())
        resize(bild.size());
    update();
}

void TBildAnsicht::laden(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw DateiNichtZuOeffnen(pfad);
    QImageReader leser(&datei);
    QImage bild = leser.read();
    if (bild.isNull())
        throw Fehler(KeinLesbaresBild(pfad));
    setBild(bild);
}

void TBildAnsicht::setStretch(bool an)
{
    m_stretch = an;
    update();
}

void TBildAnsicht::paintEvent(QPaintEvent *)
{
    if (m_bild.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (m_stretch)
        p.drawImage(rect(), m_bild);
    else
        p.drawImage(0, 0, m_bild);
}

void TBildAnsicht::mouseDoubleClickEvent(QMouseEvent *)
{
    Q_EMIT doppelklick();
}
