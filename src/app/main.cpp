// TAVOkit: the desktop program for the ZR7 flight recorder.

#include <cstdio>
#include <cstring>

#include <QApplication>

#include "app/tavokit_app.h"

int main(int argc, char** argv) {
    // Answered before any window system is needed, as the command-line program does.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tavokit %s\n", TAVOKIT_VERSION);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(TAVOKIT_VERSION));
    QApplication::setOrganizationName(QStringLiteral("TAVO"));
    QApplication::setApplicationName(QStringLiteral("TAVOkit"));

    tavo::CTAVOkitApp tavokit;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    tavokit.InitInstance(arguments);
    const int status = QApplication::exec();
    tavokit.ExitInstance();
    return status;
}
