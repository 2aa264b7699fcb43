#pragma once

#include <QDialog>
#include <QIcon>

// The "Spenden" dialog: a banner, a short donation text the user may edit (kept for the instance's lifetime,
// never saved) and the maker's contact lines.
class TSpendenBox : public QDialog
{
    Q_OBJECT

public:
    explicit TSpendenBox(QWidget *parent = nullptr, const QIcon &programmSymbol = QIcon());

protected:
    void showEvent(QShowEvent *event) override;
};
