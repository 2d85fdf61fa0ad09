#pragma once

#include "core/base/DefaultsKeys.h"

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

// The user defaults: one settings store for the whole application, shared by
// the GUI and zentropectl. Every key is one of DefaultsKeys, read and
// written with its own type. Tests give their own file so the real store is
// never touched.
class UserDefaults
{
public:
    // ~/.config/Zentrope/Zentrope.conf (the platform's user settings location).
    static UserDefaults standard();
    // A store kept in the given file.
    explicit UserDefaults(const QString& filePath);

    // The stored value, or the key's default while none of its type is stored.
    template <typename T> T value(const DefaultsKey<T>& key) const
    {
        QVariant stored = m_settings->value(key.name);
        if (!stored.isValid() || !stored.convert(QMetaType::fromType<T>()))
            return key.defaultValue;
        return stored.template value<T>();
    }
    template <typename T> void setValue(const DefaultsKey<T>& key, const T& value)
    {
        m_settings->setValue(key.name, QVariant::fromValue(value));
    }
    template <typename T> bool contains(const DefaultsKey<T>& key) const
    {
        return m_settings->contains(key.name);
    }
    template <typename T> void remove(const DefaultsKey<T>& key) { m_settings->remove(key.name); }

    // Writes pending changes and reads what another process (zentropectl,
    // the GUI) wrote meanwhile; false when the store could not be written.
    bool sync();

    QString filePath() const;

private:
    explicit UserDefaults(std::shared_ptr<QSettings> settings);

    std::shared_ptr<QSettings> m_settings;
};
