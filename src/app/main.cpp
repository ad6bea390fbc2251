// TAVOkit: the desktop program for the ZR7 flight recorder.

#include <clocale>

#include <QApplication>

#include "app/tavokit_app.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TAVO"));
    QApplication::setApplicationName(QStringLiteral("TAVOkit"));
    // Qt takes the user's locale; numbers on screen, in files and in settings always
    // carry a decimal point.
    std::setlocale(LC_NUMERIC, "C");

    tavo::CTAVOkitApp tavokit;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!tavokit.InitInstance(arguments))
        return 1;
    const int status = QApplication::exec();
    tavokit.ExitInstance();
    return status;
}
