#include "ui/tabs/AddInTab.h"

#include "core/context/ApplicationContext.h"
#include "core/office/HostSnapshot.h"
#include "core/office/Sideloader.h"
#include "ui/FileDialog.h"
#include "ui/Style.h"
#include "ui/SymbolView.h"
#include "ui/tabs/HostRow.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QVBoxLayout* groupColumn(QGroupBox* box)
{
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(8);
    return column;
}

// In a window too small for the whole tab, a new message line would show
// below the fold: scroll it into view once the layout has placed it.
void scrollIntoView(QWidget* widget)
{
    QTimer::singleShot(0, widget, [widget] {
        for (QWidget* ancestor = widget->parentWidget(); ancestor;
             ancestor = ancestor->parentWidget()) {
            if (auto* area = qobject_cast<QScrollArea*>(ancestor)) {
                area->ensureWidgetVisible(widget, 0, 0);
                return;
            }
        }
    });
}

QPushButton* plainButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

AddInTab::AddInTab(ApplicationContext& context, FileDialog& fileDialog, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_fileDialog(fileDialog)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* title = new QLabel(tr("Add-in"), this);
    Style::setTextStyle(title, TextStyle::title2);
    column->addWidget(title);
    auto* explanation = new QLabel(tr("Drop the Zentrope manifest into each Office host's wef/ "
                                      "folder. Restart the host to pick up changes."),
                                   this);
    explanation->setWordWrap(true);
    Style::setTextStyle(explanation, TextStyle::callout);
    Style::setTint(explanation, SemanticColor::secondary);
    column->addWidget(explanation);

    column->addWidget(createSourceBox());
    column->addWidget(createHostsBox());
    column->addWidget(createMessageLine(QStringLiteral("checkmark.circle.fill"),
                                        SemanticColor::green, m_message));
    m_messageLine = m_message->parentWidget();
    column->addWidget(
        createMessageLine(QStringLiteral("xmark.octagon.fill"), SemanticColor::red, m_error));
    m_errorLine = m_error->parentWidget();
    column->addStretch();

    connect(&m_reveal, &QFutureWatcher<Result<Done>>::finished, this, [this] {
        if (m_reveal.future().resultCount() == 0 || m_reveal.result())
            return;
        m_lastError = m_reveal.result().error().localizedDescription();
        showMessages();
    });
    showSource();
    showMessages();
}

QWidget* AddInTab::createSourceBox()
{
    auto* box = new QGroupBox(tr("Source"), this);
    QVBoxLayout* column = groupColumn(box);

    // The picker's label stands beside its first option, the second below that.
    auto* picker = new QGridLayout;
    picker->setHorizontalSpacing(8);
    picker->setVerticalSpacing(4);
    auto* pickerLabel = new QLabel(tr("Manifest"), box);
    m_production = new QRadioButton(tr("Production (bundled)"), box);
    m_custom = new QRadioButton(box);
    pickerLabel->setBuddy(m_production);
    auto* group = new QButtonGroup(box);
    group->addButton(m_production);
    group->addButton(m_custom);
    connect(m_production, &QRadioButton::clicked, this, [this] {
        m_customSource = false;
        showSource();
    });
    connect(m_custom, &QRadioButton::clicked, this, [this] {
        m_customSource = true;
        showSource();
    });
    picker->addWidget(pickerLabel, 0, 0);
    picker->addWidget(m_production, 0, 1);
    picker->addWidget(m_custom, 1, 1);
    picker->setColumnStretch(2, 1);
    column->addLayout(picker);

    auto* buttons = new QHBoxLayout;
    auto* choose = plainButton(tr("Choose Manifest…"), box);
    connect(choose, &QPushButton::clicked, this, &AddInTab::chooseManifest);
    buttons->addWidget(choose);
    m_forget = plainButton(tr("Forget"), box);
    connect(m_forget, &QPushButton::clicked, this, &AddInTab::forgetManifest);
    buttons->addWidget(m_forget);
    buttons->addStretch();
    column->addLayout(buttons);

    m_missingManifest = new QWidget(box);
    auto* note = new QHBoxLayout(m_missingManifest);
    note->setContentsMargins(0, 0, 0, 0);
    note->setSpacing(4);
    note->addWidget(new SymbolView(QStringLiteral("exclamationmark.triangle.fill"),
                                   SemanticColor::orange, TextStyle::caption, m_missingManifest),
                    0, Qt::AlignVCenter);
    auto* noteText =
        new QLabel(tr("Bundled manifest missing. Reinstall Zentrope or pick a custom manifest."),
                   m_missingManifest);
    noteText->setWordWrap(true);
    Style::setTextStyle(noteText, TextStyle::caption);
    Style::setTint(noteText, SemanticColor::orange);
    note->addWidget(noteText, 1, Qt::AlignVCenter);
    column->addWidget(m_missingManifest);
    return box;
}

QWidget* AddInTab::createHostsBox()
{
    auto* box = new QGroupBox(tr("Office hosts"), this);
    QVBoxLayout* column = groupColumn(box);
    for (const OfficeHost host : OfficeHost::allCases()) {
        auto* row = new HostRow(host, box);
        connect(row, &HostRow::installClicked, this, [this, host] { install(host); });
        connect(row, &HostRow::removeClicked, this, [this, host] { remove(host); });
        connect(row, &HostRow::revealClicked, this, [this, host] { reveal(host); });
        column->addWidget(row);
        column->addWidget(Style::divider(box));
        m_hostRows.append(row);
    }

    auto* actions = new QHBoxLayout;
    m_installAll = plainButton(tr("Install into all"), box);
    Style::setProminent(m_installAll);
    connect(m_installAll, &QPushButton::clicked, this, &AddInTab::installAll);
    actions->addWidget(m_installAll, 0, Qt::AlignVCenter);
    auto* removeAllButton = plainButton(tr("Remove from all"), box);
    connect(removeAllButton, &QPushButton::clicked, this, &AddInTab::removeAll);
    actions->addWidget(removeAllButton, 0, Qt::AlignVCenter);
    actions->addStretch();
    auto* quit = plainButton(tr("Quit running Office hosts"), box);
    connect(quit, &QPushButton::clicked, this, &AddInTab::quitHosts);
    actions->addWidget(quit, 0, Qt::AlignVCenter);
    column->addLayout(actions);
    return box;
}

QWidget* AddInTab::createMessageLine(const QString& symbol, SemanticColor tint, QLabel*& label)
{
    auto* line = new QWidget(this);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new SymbolView(symbol, tint, TextStyle::body, line), 0, Qt::AlignTop);
    label = new QLabel(line);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setTint(label, tint);
    layout->addWidget(label, 1);
    return line;
}

void AddInTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

std::optional<QString> AddInTab::resolvedManifest() const
{
    if (m_customSource)
        return m_customManifest;
    return Sideloader::bundledProdManifest(m_context.bundle());
}

void AddInTab::chooseManifest()
{
    const QString file = m_fileDialog.getOpenFileName(this, tr("Choose Manifest"), QString(),
                                                      tr("XML files (*.xml);;All files (*)"));
    if (file.isEmpty())
        return; // cancelled: nothing changes
    m_customManifest = file;
    m_customSource = true;
    showSource();
}

void AddInTab::forgetManifest()
{
    m_customManifest.reset();
    m_customSource = false;
    showSource();
}

void AddInTab::install(OfficeHost host)
{
    const std::optional<QString> manifest = resolvedManifest();
    if (!manifest) {
        m_lastError = SideloadMessages::pickManifestFirst();
        showMessages();
        return;
    }
    handle(SideloadMessages::forOutcome(Sideloader::install(*manifest, host),
                                        SideloadMessages::installAction(host)));
}

void AddInTab::remove(OfficeHost host)
{
    handle(SideloadMessages::forOutcome(Sideloader::remove(host),
                                        SideloadMessages::removeAction(host)));
}

void AddInTab::reveal(OfficeHost host)
{
    // The folder is not made first: the file manager shows what is there.
    m_reveal.setFuture(m_context.services().workspace->reveal(host.wefDirectory()));
}

void AddInTab::installAll()
{
    const std::optional<QString> manifest = resolvedManifest();
    if (!manifest) {
        m_lastError = SideloadMessages::pickManifestFirst();
        showMessages();
        return;
    }
    showReport(SideloadAll::install(*manifest));
}

void AddInTab::removeAll()
{
    showReport(SideloadAll::remove());
}

void AddInTab::showReport(const SideloadAll::Report& report)
{
    // The summary names only the hosts done: what failed is told beside it.
    // When all failed there is no summary, and the last message stands.
    if (report.message)
        m_lastMessage = report.message;
    m_lastError = report.errors.isEmpty() ? std::nullopt : std::optional(report.errors.join(u'\n'));
    refresh();
}

void AddInTab::quitHosts()
{
    Sideloader::quitRunningHosts(*m_context.services().workspace);
    refresh();
}

void AddInTab::handle(const SideloadMessages::Line& line)
{
    // An error leaves the last message standing; anything else clears the error.
    if (line.kind == SideloadMessages::Line::Kind::error) {
        m_lastError = line.text;
    } else {
        m_lastMessage = line.text;
        m_lastError.reset();
    }
    refresh();
}

void AddInTab::refresh()
{
    // The snapshots come in host order, as the rows were made.
    const QList<HostSnapshot> snapshots = HostSnapshot::take(*m_context.services().workspace);
    for (qsizetype index = 0; index < snapshots.size(); ++index)
        m_hostRows[index]->showSnapshot(snapshots[index]);
    showSource();
    showMessages();
}

void AddInTab::showSource()
{
    m_production->setChecked(!m_customSource);
    m_custom->setChecked(m_customSource);
    m_custom->setVisible(m_customManifest.has_value());
    m_custom->setText(m_customManifest
                          ? tr("Custom: %1").arg(QFileInfo(*m_customManifest).fileName())
                          : QString());
    m_forget->setVisible(m_customManifest.has_value());
    const bool bundledMissing = !Sideloader::bundledProdManifest(m_context.bundle()).has_value();
    m_missingManifest->setVisible(!m_customSource && bundledMissing);
    m_installAll->setEnabled(resolvedManifest().has_value());
}

void AddInTab::showMessages()
{
    const bool changed = m_message->text() != m_lastMessage.value_or(QString()) ||
                         m_error->text() != m_lastError.value_or(QString());
    m_message->setText(m_lastMessage.value_or(QString()));
    m_messageLine->setVisible(m_lastMessage.has_value());
    m_error->setText(m_lastError.value_or(QString()));
    m_errorLine->setVisible(m_lastError.has_value());
    if (changed && (m_lastMessage || m_lastError))
        scrollIntoView(m_lastError ? m_errorLine : m_messageLine);
}
