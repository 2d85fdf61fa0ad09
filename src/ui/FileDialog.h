#pragma once

#include <QString>
#include <optional>

class QWidget;

// The views' file picker: they ask this instead of QFileDialog's statics, so
// that a test can give the answer a person would. The application owns one
// and hands it to the views that pick files.
class FileDialog
{
public:
    // The chosen file, or an empty string when the user cancelled.
    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& directory = {},
                            const QString& filter = {});

    // The next question gets `fileName` (empty: as if cancelled) at once,
    // without a dialog; the one after it asks a person again.
    void setNextFileName(const QString& fileName) { m_nextFileName = fileName; }
    // What the last question offered, for tests: "XML files (*.xml);;…".
    QString lastFilter() const { return m_lastFilter; }

private:
    std::optional<QString> m_nextFileName;
    QString m_lastFilter;
};
