#pragma once

#include <QImage>
#include <QWidget>

// An image view: shows its picture at its own size, or stretched to the view without smoothing.
// Transparent, so the window paints beneath it.
class TBildAnsicht : public QWidget
{
    Q_OBJECT
public:
    explicit TBildAnsicht(QWidget *eltern = nullptr);

    const QImage &bild() const { return m_bild; }
    // Direct pixel access for marks drawn into the shown picture; call update() after writing.
    QImage &bildZumZeichnen()
    {
        m_geglaettet = QImage();
        return m_bild;
    }
    void setBild(const QImage &bild);
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

Q_SIGNALS:
    void doppelklick();

protected:
    void paintEvent(QPaintEvent *ereignis) override;
    void mouseDoubleClickEvent(QMouseEvent *ereignis) override;

private:
    QImage m_bild;
    QImage m_geglaettet; // m_bild at the view's size, when smoothed
    bool m_stretch = false;
    bool m_glatt = false;
    bool m_autoSize = false;
};
