#include "ui/UpdateDialog.h"

#include "core/updates/UpdateOffer.h"
#include "platform/Workspace.h"
#include "ui/ReleaseNotesBrowser.h"
#include "ui/Style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* plainButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

UpdateDialog::UpdateDialog(platform::AvailableUpdate update, const QString& currentVersion,
                           platform::UpdaterController& controller, platform::Workspace& workspace,
                           QWidget* parent)
    : QDialog(parent)
    , m_update(std::move(update))
    , m_controller(controller)
    , m_workspace(workspace)
{
    setWindowTitle(tr("Software Update"));
    setMinimumWidth(520);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 16);
    column->setSpacing(10);

    auto* heading = new QLabel(tr("A new version of Zentrope is available!"), this);
    Style::setTextStyle(heading, TextStyle::headline);
    column->addWidget(heading);
    const QString question =
        m_update.informational
            ? tr("Zentrope %1 is now available—you have %2. Would you like to learn more about "
                 "this update on the web?")
        : m_update.critical ? tr("Zentrope %1 is now available—you have %2. This is an "
                                 "important update; would you like to download it now?")
                            : tr("Zentrope %1 is now available—you have %2. Would you like "
                                 "to download it now?");
    auto* text = new QLabel(question.arg(m_update.displayVersion, currentVersion), this);
    text->setWordWrap(true);
    Style::setTextStyle(text, TextStyle::callout);
    column->addWidget(text);

    if (QWidget* notes = createNotes())
        column->addWidget(notes, 1);

    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setTextStyle(m_problem, TextStyle::caption);
    Style::setTint(m_problem, SemanticColor::red);
    m_problem->hide();
    column->addWidget(m_problem);
    column->addLayout(createChoices());
}

QWidget* UpdateDialog::createNotes()
{
    switch (UpdateOffer::notes(m_update)) {
    case UpdateOffer::Notes::text: {
        auto* notes = new QWidget(this);
        auto* column = new QVBoxLayout(notes);
        column->setContentsMargins(0, 6, 0, 0);
        column->setSpacing(4);
        auto* label = new QLabel(tr("Release Notes:"), notes);
        Style::setTextStyle(label, TextStyle::callout, /*bold=*/true);
        column->addWidget(label);
        auto* browser = new ReleaseNotesBrowser(notes);
        browser->setAccessibleName(tr("Release Notes"));
        browser->setMinimumHeight(180);
        browser->setNotes(m_update.releaseNotesHtml);
        connect(browser, &ReleaseNotesBrowser::anchorClicked, this, [this](const QUrl& link) {
            // The notes link only to https pages; anything else stays unopened.
            if (link.scheme() == u"https")
                open(link);
        });
        column->addWidget(browser, 1);
        return notes;
    }
    case UpdateOffer::Notes::link: {
        auto* link = plainButton(tr("Show Release Notes…"), this);
        link->setFlat(true);
        connect(link, &QPushButton::clicked, this, [this] { open(m_update.releaseNotesLink); });
        auto* row = new QWidget(this);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(link);
        layout->addStretch();
        return row;
    }
    case UpdateOffer::Notes::none:
        break;
    }
    return nullptr;
}

QLayout* UpdateDialog::createChoices()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    if (UpdateOffer::canSkip(m_update)) {
        auto* skipButton = plainButton(tr("Skip This Version"), this);
        connect(skipButton, &QPushButton::clicked, this, &UpdateDialog::skip);
        row->addWidget(skipButton);
    }
    row->addStretch();
    auto* later = plainButton(tr("Remind Me Later"), this);
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(later);
    const bool learnMore = UpdateOffer::action(m_update) == UpdateOffer::Action::learnMore;
    auto* action = new QPushButton(learnMore ? tr("Learn More…") : tr("Download"), this);
    action->setDefault(true);
    action->setEnabled(UpdateOffer::actionAddress(m_update).has_value());
    Style::setProminent(action);
    connect(action, &QPushButton::clicked, this, &UpdateDialog::takeAction);
    row->addWidget(action);
    return row;
}

void UpdateDialog::takeAction()
{
    if (const auto address = UpdateOffer::actionAddress(m_update)) {
        open(*address);
        if (m_problem->isHidden())
            accept();
    }
}

void UpdateDialog::skip()
{
    const Result<Done> skipped = m_controller.skipVersion(m_update);
    if (skipped)
        reject();
    else
        showProblem(skipped.error().localizedDescription());
}

void UpdateDialog::open(const QUrl& address)
{
    const Result<Done> opened = m_workspace.open(address);
    if (opened)
        m_problem->hide();
    else
        showProblem(opened.error().localizedDescription());
}

void UpdateDialog::showProblem(const QString& text)
{
    m_problem->setText(text);
    m_problem->show();
}
