// TAVOkit: the desktop program for the ZR7 flight recorder.

#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>

#include "app/command_line.h"
#include "app/tavokit_app.h"

int main(int argc, char** argv) {
    // Answered before any window system is needed, as the command-line program does.
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    const tavo::AppCommandLine line = tavo::ParseAppCommandLine(words);
    switch (line.action) {
    case tavo::AppCommandLine::Action::Help:
        std::fputs(tavo::AppUsageText().c_str(), stdout);
        return 0;
    case tavo::AppCommandLine::Action::Version:
        std::printf("tavokit %s\n", TAVOKIT_VERSION);
        return 0;
    case tavo::AppCommandLine::Action::UsageError:
        std::fprintf(stderr, "tavokit: %s\nTry 'tavokit --help' for more information.\n",
                     line.error.c_str());
        return tavo::kAppUsageExit;
    case tavo::AppCommandLine::Action::Run:
        break;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(TAVOKIT_VERSION));
    QApplication::setOrganizationName(QStringLiteral("TAVO"));
    QApplication::setApplicationName(QStringLiteral("TAVOkit"));

    tavo::CTAVOkitApp tavokit;
    // The words as read above: Qt has taken its own options by now, and a file name
    // after "--" stays a file name.
    QStringList arguments;
    if (line.demo)
        arguments << QStringLiteral("--demo");
    if (!line.file.empty())
        arguments << QStringLiteral("--") << QString::fromLocal8Bit(line.file.c_str());
    tavokit.InitInstance(arguments);
    const int status = QApplication::exec();
    tavokit.ExitInstance();
    return status;
}
