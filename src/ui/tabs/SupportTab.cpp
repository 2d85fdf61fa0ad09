#include "ui/tabs/SupportTab.h"

#include "core/context/ApplicationContext.h"
#include "core/support/CrashReports.h"
#include "core/support/SupportContacts.h"
#include "ui/DefaultsSwitch.h"
#include "ui/MessageLine.h"
#include "ui/Style.h"
#include "ui/tabs/CrashReportsList.h"
#include "ui/tabs/DiagnosticsBox.h"
#include "ui/tabs/LinkRow.h"
#include "ui/tabs/UpdatesSection.h"

#include <QFutureWatcher>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QGroupBox* box(const QString& title, QWidget* content, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(content);
    return group;
}

// Shows a reveal's failure on `line` when it comes back, unless the view has gone.
void followReveal(QFuture<Result<Done>> reveal, MessageLine* line)
{
    auto* watcher = new QFutureWatcher<Result<Done>>(line);
    QObject::connect(watcher, &QFutureWatcher<Result<Done>>::finished, line, [watcher, line] {
        if (watcher->future().resultCount() > 0 && !watcher->result())
            line->setMessage(watcher->result().error().localizedDescription());
        watcher->deleteLater();
    });
    watcher->setFuture(std::move(reveal));
}

} // namespace

SupportTab::Places SupportTab::applicationPlaces(ApplicationContext& context)
{
    return {DiagnosticsBundle::applicationSetup(context.bundle(), context.logDirectory(),
                                                context.daemonChannel(), context.services()),
            CrashReports::reportsDirectory()};
}

SupportTab::SupportTab(ApplicationContext& context, UpdateCheckFlow& updates, QWidget* parent)
    : SupportTab(context, updates, applicationPlaces(context), parent)
{}

SupportTab::SupportTab(ApplicationContext& context, UpdateCheckFlow& updates, Places places,
                       QWidget* parent)
    : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* title = new QLabel(tr("Support"), this);
    Style::setTextStyle(title, TextStyle::title2, /*bold=*/true);
    column->addWidget(title);
    auto* explanation = new QLabel(
        tr("Generate a diagnostics zip you can attach to a support email. Contains app version, "
           "daemon status, recent logs, OS/hardware info, sideload state, and TCC permission "
           "state. The archive holds no document contents."),
        this);
    explanation->setWordWrap(true);
    Style::setTextStyle(explanation, TextStyle::callout);
    Style::setTint(explanation, SemanticColor::secondary);
    column->addWidget(explanation);

    platform::Workspace& workspace = *context.services().workspace;
    column->addWidget(new DiagnosticsBox(std::move(places.diagnostics), workspace, this));
    column->addWidget(box(tr("Crash reports"),
                          new CrashReportsList(workspace, places.crashReportsDirectory), this));
    column->addWidget(
        box(tr("Updates"),
            new UpdatesSection(context.updater().controller(), context.defaults(), updates), this));
    column->addWidget(createNotificationsBox(context));
    column->addWidget(createLinksBox(context));
    column->addStretch();
}

QWidget* SupportTab::createNotificationsBox(ApplicationContext& context)
{
    return box(tr("Notifications"),
               new DefaultsSwitch(tr("Notify me when the daemon stops unexpectedly"),
                                  context.defaults(), DefaultsKeys::crashAlerts),
               this);
}

QWidget* SupportTab::createLinksBox(ApplicationContext& context)
{
    auto* links = new QWidget;
    auto* column = new QVBoxLayout(links);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    m_linkError = new MessageLine(QStringLiteral("xmark.octagon.fill"), SemanticColor::red,
                                  TextStyle::caption, links);
    platform::Workspace* workspace = context.services().workspace.get();
    const auto open = [this, workspace](const QUrl& address) {
        const Result<Done> opened = workspace->open(address);
        m_linkError->setMessage(opened ? std::nullopt
                                       : std::optional(opened.error().localizedDescription()));
    };
    column->addWidget(new LinkRow(
        tr("Support email"), SupportContacts::emailAddress(),
        [open] { open(SupportContacts::emailUrl()); }, links));
    const QString logDirectory = context.logDirectory();
    column->addWidget(new LinkRow(
        tr("Daemon logs"), logDirectory,
        [this, workspace, logDirectory] {
            m_linkError->setMessage(std::nullopt);
            followReveal(workspace->reveal(logDirectory), m_linkError);
        },
        links));
    column->addWidget(new LinkRow(
        tr("Documentation"), SupportContacts::documentationPage(),
        [open] { open(QUrl(SupportContacts::documentationPage())); }, links));
    column->addWidget(m_linkError);
    return box(tr("Quick links"), links, this);
}
