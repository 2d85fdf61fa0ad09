#include "ui/FileDialog.h"

#include <QFileDialog>
#include <utility>

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption,
                                    const QString& directory, const QString& filter)
{
    m_lastFilter = filter;
    if (m_nextFileName) {
        const QString answer = *std::exchange(m_nextFileName, std::nullopt);
        return answer;
    }
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}
