#include "app/bildansicht.h"

#include "platform/fehler.h"
#include "render/seite.h"
#include "storage/bilddatei.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

const QImage &TBildAnsicht::bild() const
{
    if (m_bildMachen) {
        m_bild = m_bildMachen();
        m_bildMachen = nullptr;
    }
    return m_bild;
}

QImage &TBildAnsicht::bildZumZeichnen()
{
    bild();
    m_ansicht.reset();
    m_geglaettet = QImage();
    return m_bild;
}

void TBildAnsicht::setBild(const Seitenansicht &ansicht, std::function<QImage()> bild)
{
    setBild(QImage());
    m_ansicht = ansicht;
    m_bildMachen = std::move(bild);
}

void TBildAnsicht::setBild(const QImage &bild)
{
    m_bild = bild;
    m_bildMachen = nullptr;
    m_ansicht.reset();
    m_geglaettet = QImage();
    if (m_autoSize && !bild.isNull())
        resize(bild.size());
    update();
}

void TBildAnsicht::laden(const QString &pfad)
{
    const QImage bild = LeseBild(pfad);
    if (bild.isNull())
        throw Fehler(KeinLesbaresBild(pfad));
    setBild(bild);
}

void TBildAnsicht::setGlatt(bool an)
{
    if (m_glatt == an)
        return;
    m_glatt = an;
    m_geglaettet = QImage();
    update();
}

void TBildAnsicht::setStretch(bool an)
{
    m_stretch = an;
    update();
}

void TBildAnsicht::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_stretch && !m_glatt && m_ansicht && m_ansicht->groesse == size() && devicePixelRatioF() == 1) {
        p.fillRect(rect(), Qt::white);
        if (!m_ansicht->teil.isNull())
            p.drawImage(m_ansicht->ort, m_ansicht->teil);
        return;
    }
    if (bild().isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (m_stretch && m_glatt) {
        const QSize ziel = (QSizeF(size()) * devicePixelRatioF()).toSize();
        if (m_geglaettet.isNull() || m_geglaettet.size() != ziel)
            m_geglaettet = GeglaettetVerkleinert(m_bild, ziel);
        p.drawImage(rect(), m_geglaettet);
        return;
    }
    if (m_stretch)
        p.drawImage(rect(), m_bild);
    else
        p.drawImage(0, 0, m_bild);
}

void TBildAnsicht::mouseDoubleClickEvent(QMouseEvent *)
{
    Q_EMIT doppelklick();
}
