#include "app/formetikette.h"
#include "platform/dialogdienst.h"
#include "platform/startmessung.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));

    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);

    QtDialoge dialoge;
    DesktopSchale schale;
    TFormEtikette form(Umgebung{dialoge, schale, BildschirmAufloesung, argc - 1, {}});
    dialoge.setzeBesitzer(&form);

    form.adjustSize();
    if (const QScreen *schirm = QGuiApplication::primaryScreen())
        form.move(schirm->availableGeometry().center() - form.rect().center());
    MeldeErstesBild(form);
    form.show();
    return QApplication::exec();
}
