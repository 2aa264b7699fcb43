#pragma once

#include <QDialog>
#include <QIcon>

// The "Info" dialog: product name, version and the maker's contact lines. Created once and shown
// modally as often as the user asks; it has no state of its own.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr, const QIcon &programmSymbol = QIcon());

protected:
    void showEvent(QShowEvent *event) override;
};
