#pragma once

#include "core/office/OfficeHost.h"
#include "core/office/SideloadAll.h"
#include "core/office/SideloadMessages.h"
#include "ui/SemanticColor.h"

#include <QFutureWatcher>
#include <QWidget>
#include <optional>

class ApplicationContext;
class FileDialog;
class QLabel;
class QPushButton;
class QRadioButton;
class HostRow;

// Where the user puts the add-in's manifest into Word, Excel and PowerPoint
// and takes it out again: the manifest to use (the bundled one or one picked),
// a row per host, the actions for all hosts, and one line for the last
// success and one for the last failure. The work is the sideloader's; the
// rows are read afresh when the tab shows and after every action.
class AddInTab : public QWidget
{
    Q_OBJECT

public:
    AddInTab(ApplicationContext& context, FileDialog& fileDialog, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createSourceBox();
    QWidget* createHostsBox();
    QWidget* createMessageLine(const QString& symbol, SemanticColor tint, QLabel*& label);

    // The manifest install uses: the one picked, or the bundled one if any.
    std::optional<QString> resolvedManifest() const;
    void chooseManifest();
    void forgetManifest();
    void install(OfficeHost host);
    void remove(OfficeHost host);
    void reveal(OfficeHost host);
    void installAll();
    void removeAll();
    void showReport(const SideloadAll::Report& report);
    void quitHosts();
    void handle(const SideloadMessages::Line& line);
    void refresh();
    void showSource();
    void showMessages();

    ApplicationContext& m_context;
    FileDialog& m_fileDialog;

    // View state.
    bool m_customSource = false;
    std::optional<QString> m_customManifest;
    std::optional<QString> m_lastMessage;
    std::optional<QString> m_lastError;

    QRadioButton* m_production;
    QRadioButton* m_custom;
    QPushButton* m_forget;
    QWidget* m_missingManifest;
    QList<HostRow*> m_hostRows; // in host order
    QPushButton* m_installAll;
    QWidget* m_messageLine;
    QLabel* m_message;
    QWidget* m_errorLine;
    QLabel* m_error;
    QFutureWatcher<Result<Done>> m_reveal;
};
