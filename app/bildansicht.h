#pragma once

#include "render/bogen.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

// An image view: shows its picture at its own size, or stretched to the view without smoothing.
// Transparent, so the window paints beneath it.
class TBildAnsicht : public QWidget
{
    Q_OBJECT
public:
    explicit TBildAnsicht(QWidget *eltern = nullptr);

    const QImage &bild() const;
    // Direct pixel access for marks drawn into the shown picture; call update() after writing.
    QImage &bildZumZeichnen();
    void setBild(const QImage &bild);
    // A stretched picture given as the view shows it, `ansicht`, pixel for pixel what stretching the picture
    // gives; the picture itself is made by `bild` only when asked for (bild()) or when the view's size changes.
    void setBild(const Seitenansicht &ansicht, std::function<QImage()> bild);
    void leeren() { setBild(QImage()); }
    // Throws Fehler when the file cannot be opened or holds no readable picture.
    void laden(const QString &pfad);

    bool stretch() const { return m_stretch; }
    void setStretch(bool an);
    // Stretched smaller, the picture is shrunk by averaging, so that thin lines and small text stay visible.
    void setGlatt(bool an);
    // Sized to its picture, as the layout pictures and the explanatory picture are.
    void setAutoSize(bool an) { m_autoSize = an; }
    // What a screen reader says for the picture; told again only when it changes.
    void beschreibe(const QString &text);
    // Takes one file dropped onto the view and says so through dateiAbgelegt.
    void setDateiAblage(bool an) { setAcceptDrops(an); }

Q_SIGNALS:
    void doppelklick();
    void dateiAbgelegt(const QString &pfad);

protected:
    void paintEvent(QPaintEvent *ereignis) override;
    void mouseDoubleClickEvent(QMouseEvent *ereignis) override;
    void dragEnterEvent(QDragEnterEvent *ereignis) override;
    void dropEvent(QDropEvent *ereignis) override;

private:
    mutable QImage m_bild;
    mutable std::function<QImage()> m_bildMachen; // makes m_bild when it is first needed
    std::optional<Seitenansicht> m_ansicht;       // the picture as the view shows it, when given
    QImage m_geglaettet;                          // m_bild at the view's size, when smoothed
    bool m_stretch = false;
    bool m_glatt = false;
    bool m_autoSize = false;
};
