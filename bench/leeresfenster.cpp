// The yardstick of bench/start: a bare Qt main window with the program's client size and a menu bar.
#include "platform/startmessung.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow fenster;
    auto *flaeche = new QWidget(&fenster);
    flaeche->setFixedSize(1137, 556);
    fenster.setCentralWidget(flaeche);
    fenster.layout()->setSizeConstraint(QLayout::SetFixedSize);
    for (const char *titel : {"Datei", "Bearbeiten", "Option", "Hilfe"})
        fenster.menuBar()->addMenu(QString::fromUtf8(titel));
    MeldeErstesBild(fenster);
    fenster.show();
    return QApplication::exec();
}
