#pragma once

#include "platform/dialogdienst.h"

// The dialog service on Qt's standard dialogs and the program's own: what the program asks, as the person sees it.
// The production implementation on Qt's standard dialogs.
class QtDialoge : public DialogDienst
{
public:
    explicit QtDialoge(QWidget *besitzer = nullptr) : m_besitzer(besitzer) {}
    ~QtDialoge() override;
    void setzeBesitzer(QWidget *besitzer) { m_besitzer = besitzer; }

    void information(const QString &text) override;
    bool frage(const QString &text) override;
    bool druckFrage(const QString &text) override;
    bool vorsichtsfrage(const QString &text) override;
    int auswahl(const QString &text, const QStringList &knoepfe, int vorgabe) override;
    int wendeFrage(const QString &text) override;
    bool randFrage(const QString &text) override;
    void meldung(const QString &text) override;
    void fehler(const QString &text) override;
    std::optional<QString> dateiOeffnen(const QString &vorgabe, const QString &titel = {}) override;
    std::optional<QString> eingabe(const QString &vorbelegung) override;
    // Through the printer adapter, loaded at the first call (drucken/).
    bool druckDialog(QPrinter &drucker) override;
    // The catalogue's sheet dialog.
    std::optional<Etikettenbogen> etikettenbogen(const QList<Etikettenbogen> &boegen) override;
    std::optional<QString> bildOeffnen(const QString &ordner, const QStringList &muster,
                                       const QString &titel = {}) override;
    // The choice how a picture goes onto the label.
    std::optional<Einpassung> bildEinpassung(const Bildwahl &wahl) override;

private:
    QWidget *m_besitzer;
    std::unique_ptr<Druckdialog> m_druckDialog;
};
