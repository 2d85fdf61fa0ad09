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

bool UserDefaults::boolValue(const QString& key) const
{
    return m_settings->value(key, false).toBool();
}

void UserDefaults::setBool(const QString& key, bool value)
{
    m_settings->setValue(key, value);
}

QString UserDefaults::stringValue(const QString& key) const
{
    return m_settings->value(key).toString();
}

void UserDefaults::setString(const QString& key, const QString& value)
{
    m_settings->setValue(key, value);
}

QVariant UserDefaults::value(const QString& key) const
{
    return m_settings->value(key);
}

void UserDefaults::setValue(const QString& key, const QVariant& value)
{
    m_settings->setValue(key, value);
}

bool UserDefaults::contains(const QString& key) const
{
    return m_settings->contains(key);
}

void UserDefaults::remove(const QString& key)
{
    m_settings->remove(key);
}

bool UserDefaults::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString UserDefaults::filePath() const
{
    return m_settings->fileName();
}
