// Titrage conductimétrique: the bench window.
#include "bench/feuillep.h"
#include "platform/frenchtranslations.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
        std::fprintf(stderr,
                     "Titrage conductimétrique a besoin d'un écran graphique : aucun n'est "
                     "disponible (ni DISPLAY ni WAYLAND_DISPLAY).\n"
                     "Lancez-le depuis une session graphique, ou sous un écran virtuel :\n"
                     "  xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Titrage conductimétrique"));
    titrage::installFrenchTranslations(app);
    titrage::feuilleP window;
    window.show();
    return app.exec();
}
