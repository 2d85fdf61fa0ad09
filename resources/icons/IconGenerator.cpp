// Writes the application's icon for the desktop's icon theme, drawn from the
// mark: zentrope.svg and zentrope-<size>.png, into the folder given.
#include "ui/AppIcon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // a build step: no display
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zentrope-icons FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "could not create %s\n", argv[1]);
        return 1;
    }
    const ZentropeMark mark;
    QFile svg(folder + QStringLiteral("/zentrope.svg"));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(AppIcon::svg(mark)) < 0 || !svg.flush()) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (const int pixels : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = folder + QStringLiteral("/zentrope-%1.png").arg(pixels);
        if (!AppIcon::render(mark, pixels).save(path)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
