#pragma once

#include "core/api/DaemonStatusRows.h"

#include <QList>
#include <QWidget>

class QGridLayout;
class QLabel;
class Spinner;

// The status tab's answer from the daemon: a grid of its rows, or "Querying
// daemon…" with a spinner, or a sentence on why the daemon is not asked.
class DaemonStatusArea : public QWidget
{
    Q_OBJECT

public:
    explicit DaemonStatusArea(QWidget* parent = nullptr);

    void showRows(const QList<DaemonStatusRows::Row>& rows);
    void showQuerying();
    void showNotRunning(const QString& sentence);

private:
    void showOnly(QWidget* part);
    void rebuildGrid(const QList<DaemonStatusRows::Row>& rows);

    QWidget* m_grid;
    QWidget* m_querying;
    QLabel* m_notRunning;
    QList<DaemonStatusRows::Row> m_rows;
};
