#include "core/base/UserDefaults.h"

UserDefaults UserDefaults::standard()
{
    return UserDefaults(std::make_shared<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                    QStringLiteral("Zentrope"),
                                                    QStringLiteral("Zentrope")));
}

UserDefaults::UserDefaults(const QString& filePath)
    : UserDefaults(std::make_shared<QSettings>(filePath, QSettings::IniFormat))
{}

UserDefaults::UserDefaults(std::shared_ptr<QSettings> settings)
    : m_settings(std::move(settings))
{}

bool UserDefaults::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString UserDefaults::filePath() const
{
    return m_settings->fileName();
}
