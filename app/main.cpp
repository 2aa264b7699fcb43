#include "app/formetikette.h"
#include "dialogs/qtdialoge.h"
#include "platform/startmessung.h"
#include "storage/namen.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <thread>

#if MORVANE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// Reading the font configuration is the largest single step before the window can draw its first text. Where Qt
// draws text through fontconfig it runs on a second core while the application connects to the display; Qt then
// finds it done.
std::jthread LiesSchriftkonfiguration()
{
#if MORVANE_FONTCONFIG
    return std::jthread([] { FcInit(); });
#else
    return {};
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    std::jthread schriftkonfiguration = LiesSchriftkonfiguration();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));

    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);

    if (schriftkonfiguration.joinable())
        schriftkonfiguration.join();

    QtDialoge dialoge;
    DesktopSchale schale;
    TFormEtikette form(Umgebung{dialoge, schale, BildschirmAufloesung, argc - 1, {}});
    if (form.beendet())
        return 0;
    dialoge.setzeBesitzer(&form);

    form.adjustSize();
    if (const QScreen *schirm = QGuiApplication::primaryScreen())
        form.move(schirm->availableGeometry().center() - form.rect().center());
    // What the person waits for: the label shown, its name in the title.
    MeldeErstesBild(form, [&form] { return form.windowTitle().size() > TitelAnfang.size(); });
    form.show();
    return QApplication::exec();
}
