#pragma once

#include "blatt/bogenmasse.h"

#include <QDialog>

#include <array>

class DialogDienst;
class QLineEdit;

// "Maße genau eingeben": the six lengths with a decimal comma and at most two decimals, and the two counts, filled
// with the label's measures. "OK" takes them only when every field holds a value in its range and the sheet fits A4;
// otherwise the service tells which field and what it takes, or the fit message, and the dialog stays open with
// nothing changed.
class TGenauDialog : public QDialog
{
    Q_OBJECT

public:
    TGenauDialog(const Bogenmasse &bisher, DialogDienst &dialoge, QWidget *eltern = nullptr);

    // The measures typed, once accepted.
    const Bogenmasse &masse() const { return m_masse; }

private:
    void OkClick();

    DialogDienst &m_dialoge;
    Bogenmasse m_masse;
    std::array<QLineEdit *, Massangaben.size()> m_felder{};
};
