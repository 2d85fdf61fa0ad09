#pragma once

#include "core/setup/SetupRows.h"

#include <QGroupBox>
#include <QList>
#include <optional>

class QLabel;
class QPushButton;

// The status tab's "Setup needed" box: one row for each piece of the setup
// that is not in order, with the button that puts it right where there is
// one, and the outcome of the last certificate installation. Its rows are
// made once and shown or hidden, so the tab order and the focus stay put.
class SetupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit SetupBox(QWidget* parent = nullptr);

    void setProblems(const QList<SetupRows::Row>& problems);
    // "Installing…", and the button disabled, while an installation runs.
    void setInstalling(bool installing);
    void setMessage(const std::optional<QString>& message);

Q_SIGNALS:
    void installCertClicked();
    void openSettingsClicked();

private:
    struct Row
    {
        QWidget* widget;
        QLabel* title;
        QLabel* explanation;
    };

    Row createRow(SetupRows::Check check);
    QPushButton* createButton(const QString& text, void (SetupBox::*signal)(), QWidget* parent);

    QList<Row> m_rows; // one per check, in the checks' order
    QPushButton* m_installButton = nullptr;
    QLabel* m_message;
};
