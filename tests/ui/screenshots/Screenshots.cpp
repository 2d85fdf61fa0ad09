// Renders the main window and its daemon header in their key states, in a
// light and a dark palette, at pixel ratio 2, to PNG files for a person to
// look at: screenshots [folder] (default build/screenshots).
#include "platform/fake/FakeServices.h"
#include "support/TestEnvironment.h"
#include "support/Wait.h"
#include "ui/DaemonHeader.h"
#include "ui/FileDialog.h"
#include "ui/MainWindow.h"
#include "ui/SymbolView.h"
#include "ui/Symbols.h"
#include "ui/TabViews.h"
#include "ui/support/TestDaemon.h"
#include "ui/support/Widgets.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <cstdio>

namespace {

using Kind = DaemonManager::Status::Kind;

class Shooter
{
public:
    Shooter(QString folder, QString paletteName)
        : m_folder(std::move(folder))
        , m_paletteName(std::move(paletteName))
    {}

    bool save(QWidget* widget, const QString& what)
    {
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QString path = QStringLiteral("%1/%2-%3.png").arg(m_folder, what, m_paletteName);
        if (!widget->grab().save(path)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return false;
        }
        std::printf("%s\n", qPrintable(path));
        return true;
    }

private:
    QString m_folder;
    QString m_paletteName;
};

// Every symbol in every tint, named, so their drawing can be judged together.
bool shootSymbols(Shooter& shooter)
{
    QWidget sheet;
    auto* grid = new QGridLayout(&sheet);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(14);
    const QList<SemanticColor> tints{SemanticColor::green, SemanticColor::red,
                                     SemanticColor::orange, SemanticColor::yellow,
                                     SemanticColor::secondary};
    int row = 0;
    for (const QString& name : Symbols::names()) {
        grid->addWidget(new QLabel(name, &sheet), row, 0);
        for (int column = 0; column < tints.size(); ++column)
            grid->addWidget(new SymbolView(name, tints[column], TextStyle::title3, &sheet), row,
                            column + 1);
        grid->addWidget(new SymbolView(name, SemanticColor::secondary, TextStyle::body, &sheet),
                        row, int(tints.size()) + 1);
        auto* large = new SymbolView(name, SemanticColor::secondary, TextStyle::title2, &sheet);
        large->setFixedSize(40, 40);
        grid->addWidget(large, row, int(tints.size()) + 2);
        ++row;
    }
    sheet.show();
    return shooter.save(&sheet, QStringLiteral("symbols"));
}

bool shootStates(Shooter& shooter)
{
    TestDaemon daemon;
    platform::FakeServices fakes;
    FileDialog fileDialog;
    const TabViews views(daemon.manager(), fakes.services(), fileDialog);
    MainWindow window(daemon.manager(), views);
    window.show();
    auto* header = window.findChild<DaemonHeader*>();
    bool ok = shooter.save(&window, QStringLiteral("window-stopped")) &&
              shooter.save(header, QStringLiteral("header-stopped"));

    const auto starting =
        QObject::connect(&daemon.manager(), &DaemonManager::statusChanged, header,
                         [&](const DaemonManager::Status& status) {
                             // The state lasts only while start() launches the child.
                             if (status.kind() == Kind::starting)
                                 ok = shooter.save(header, QStringLiteral("header-starting")) && ok;
                         });
    ok = daemon.startAndSettle() && ok;
    QObject::disconnect(starting);
    ok = ok && shooter.save(&window, QStringLiteral("window-running")) &&
         shooter.save(header, QStringLiteral("header-running"));

    daemon.manager().stop();
    ok = ok && waitUntil([&] { return !daemon.manager().hasChild(); });
    daemon.setCrashing(true);
    ok = ok && daemon.startAndSettle();
    window.setSelection(MainWindow::Tab::addIn);
    ok = ok && shooter.save(&window, QStringLiteral("window-crashed")) &&
         shooter.save(header, QStringLiteral("header-crashed"));

    window.resize(720, 480);
    window.setSelection(std::nullopt);
    return ok && shooter.save(&window, QStringLiteral("window-smallest-no-selection"));
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    prepareTestEnvironment(home);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral(ZENTROPE_SOURCE_DIR "/build/screenshots");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "could not create %s\n", qPrintable(folder));
        return 1;
    }
    bool ok = true;
    const QList<std::pair<QString, QPalette>> palettes{
        {QStringLiteral("light"), QApplication::style()->standardPalette()},
        {QStringLiteral("dark"), Widgets::darkPalette()}};
    for (const auto& [name, palette] : palettes) {
        QApplication::setPalette(palette);
        Shooter shooter(folder, name);
        ok = shootSymbols(shooter) && ok;
        ok = shootStates(shooter) && ok;
    }
    return ok ? 0 : 1;
}
