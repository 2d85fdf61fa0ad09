#pragma once

#include "core/base/Result.h"
#include "core/support/CrashReports.h"

#include <QFutureWatcher>
#include <QWidget>

class MessageLine;
class QLabel;
class QVBoxLayout;

namespace platform {
class Workspace;
}

// The newest crash reports that concern Zentrope (25 at most, newest
// first), each with its date and a "Reveal" button, read afresh each time
// the list is shown and on "Refresh"; "Open reports folder" reveals the
// folder itself.
class CrashReportsList : public QWidget
{
    Q_OBJECT

public:
    static constexpr int limit = 25;

    CrashReportsList(platform::Workspace& workspace, QString directory, QWidget* parent = nullptr);

    const QList<CrashReports::Report>& reports() const { return m_reports; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void reload();
    QWidget* createRow(const CrashReports::Report& report);
    void reveal(const QString& path);

    platform::Workspace& m_workspace;
    const QString m_directory;
    QList<CrashReports::Report> m_reports;
    QVBoxLayout* m_rows;
    QLabel* m_empty;
    MessageLine* m_error;
    QFutureWatcher<Result<Done>> m_reveal;
};
