#pragma once

#include "render/bildeinpassung.h"

#include <QDialog>

#include <array>

class QLabel;
class QRadioButton;

// "Bild übernehmen": how a picture whose proportions are not the label's goes onto it, Einpassen, Füllen or
// Strecken, each shown as the label would look; and the hint when the picture is too coarse for print. Arrows
// move between the ways, Alt with the underlined letter takes one, Return takes the picture, Escape stops.
class TBildwahlDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TBildwahlDialog(const Bildwahl &wahl, QWidget *eltern = nullptr);

    // The way chosen; Strecken where the dialog offers none.
    Einpassung einpassung() const;
    QRadioButton *knopf(Einpassung e) const { return m_knoepfe[int(e)]; }
    QLabel *hinweis() const { return m_hinweis; }

protected:
    bool eventFilter(QObject *objekt, QEvent *ereignis) override;

private:
    void zeigeHinweis();

    const Bildwahl m_wahl;
    std::array<QRadioButton *, Einpassungen.size()> m_knoepfe{};
    std::array<QLabel *, Einpassungen.size()> m_vorschauen{};
    QLabel *m_hinweis;
};
