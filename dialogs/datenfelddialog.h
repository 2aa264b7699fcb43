#pragma once

#include "blatt/datenfelder.h"

#include <QDialog>

#include <array>
#include <optional>

class DialogDienst;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLineEdit;
class QPlainTextEdit;

// The field of a text or code in millimetres: "Ganzes Etikett" leaves it to the label less 3 mm on every side.
struct Feldeingabe
{
    QCheckBox *ganz = nullptr;
    std::array<QDoubleSpinBox *, 4> werte{}; // x, y, width, height
};

// "Text auf dem Etikett": the lines with their placeholders (a list of the fields to insert at the cursor), font,
// size, bold, the alignments and the field. "OK" takes only a text the settings file can hold; "Keinen Text" takes
// it off. The service says what is wrong and the dialog stays open.
class TTextDialog : public QDialog
{
    Q_OBJECT

public:
    TTextDialog(const std::optional<Textfeld> &text, const QStringList &felder, qint64 breite, qint64 hoehe,
                DialogDienst &dialoge, QWidget *eltern = nullptr);

    // The text taken, none when it was taken off.
    const std::optional<Textfeld> &text() const { return m_text; }

private:
    void OkClick();

    DialogDienst &m_dialoge;
    qint64 m_breite;
    qint64 m_hoehe;
    std::optional<Textfeld> m_text;
    QPlainTextEdit *m_zeilen = nullptr;
    QComboBox *m_felder = nullptr;
    QFontComboBox *m_schrift = nullptr;
    QDoubleSpinBox *m_groesse = nullptr;
    QCheckBox *m_fett = nullptr;
    QComboBox *m_ausrichtung = nullptr;
    QComboBox *m_senkrecht = nullptr;
    Feldeingabe m_feld;
};

// "Code auf dem Etikett": its kind, its content with placeholders, and its field, as the text's.
class TCodeDialog : public QDialog
{
    Q_OBJECT

public:
    TCodeDialog(const std::optional<Codefeld> &code, qint64 breite, qint64 hoehe, DialogDienst &dialoge,
                QWidget *eltern = nullptr);

    const std::optional<Codefeld> &code() const { return m_code; }

private:
    void OkClick();

    DialogDienst &m_dialoge;
    qint64 m_breite;
    qint64 m_hoehe;
    std::optional<Codefeld> m_code;
    QComboBox *m_art = nullptr;
    QLineEdit *m_inhalt = nullptr;
    Feldeingabe m_feld;
};
