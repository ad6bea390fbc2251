// guideshots OUTDIR: plays the user guide's tasks on the program started with its demo
// recorder and writes a picture of each into OUTDIR, with the printed page as a PDF and
// the exported files. Run through make.sh, which gives it a private HOME and a display.
// guideshots --check DIR: fails unless every picture of the guide is in DIR and shows
// something (not one flat colour, not a sliver).

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "app/tavokit_app.h"
#include "guide_steps.h"
#include "step_player.h"

namespace {

// A picture worth keeping: a window's size, and more than a blank or a single fill
// (a few colours covering nearly everything is what a grab of an unpainted window
// gives).
bool ShowsSomething(const QString& path, QString& why) {
    const QImage image(path);
    if (image.isNull()) {
        why = QStringLiteral("missing or unreadable");
        return false;
    }
    if (image.width() < 200 || image.height() < 150) {
        why = QStringLiteral("only %1 x %2").arg(image.width()).arg(image.height());
        return false;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[line[x]];
    }
    qint64 most = 0;
    for (const qint64 n : counts)
        most = std::max(most, n);
    const double share = static_cast<double>(most) / (qint64(rgb.width()) * rgb.height());
    if (counts.size() < 16 || share > 0.985) {
        why = QStringLiteral("blank: %1 colours, one of them on %2 % of it")
                  .arg(counts.size())
                  .arg(share * 100.0, 0, 'f', 1);
        return false;
    }
    return true;
}

int CheckPictures(const QString& dir) {
    QStringList names;
    for (const QString& name : guideshots::GuidePictures())
        names << name;
    names << QStringLiteral("08-printed-page.png");
    int failed = 0;
    for (const QString& name : names) {
        QString why;
        if (!ShowsSomething(dir + QLatin1Char('/') + name, why)) {
            std::fprintf(stderr, "guideshots: %s: %s\n", qPrintable(name), qPrintable(why));
            ++failed;
        }
    }
    if (failed == 0)
        std::printf("guideshots: %lld pictures checked\n", static_cast<long long>(names.size()));
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && QString::fromLatin1(argv[1]) == QStringLiteral("--check"))
        return CheckPictures(QString::fromLocal8Bit(argv[2]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: guideshots OUTDIR | guideshots --check DIR\n");
        return 2;
    }
    // The file choosers are driven as widgets; a desktop's own choosers would not be.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TAVO"));
    QApplication::setApplicationName(QStringLiteral("TAVOkit"));

    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "guideshots: cannot make %s\n", qPrintable(out));
        return 2;
    }
    guideshots::GuidePaths paths;
    paths.out = out;
    paths.motorFile = QStringLiteral(GUIDESHOTS_SOURCE_DIR "/data/motors/C6.eng");
    paths.rdasFile = out + QStringLiteral("/demo-rdas.txt");
    QString reason;
    // Twenty seconds: the boost, the coast and the start of the descent.
    if (!guideshots::WriteRdasFromFlight(QStringLiteral(GUIDESHOTS_SOURCE_DIR "/data/demo.flt"),
                                         paths.rdasFile, 20, paths.rdasSamples, reason)) {
        std::fprintf(stderr, "guideshots: no RDAS file: %s\n", qPrintable(reason));
        return 2;
    }

    tavo::CTAVOkitApp tavokit;
    tavokit.InitInstance({QStringLiteral("--demo")});
    guideshots::StepPlayer player(guideshots::GuideSteps(tavokit, paths));
    player.Start([&tavokit] {
        // The session's flight is not the user's: nothing to ask about at the end.
        tavokit.Document().SetModifiedFlag(false);
        QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    });
    const int status = QApplication::exec();
    tavokit.ExitInstance();
    return status;
}
