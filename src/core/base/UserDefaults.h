#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

// The user defaults: one settings store for the whole application, shared by
// the GUI and zentropectl. Keys are used exactly as named ("zentrope.…").
// Tests give their own file so the real store is never touched.
class UserDefaults
{
public:
    // ~/.config/Zentrope/Zentrope.conf (the platform's user settings location).
    static UserDefaults standard();
    // A store kept in the given file.
    explicit UserDefaults(const QString& filePath);

    bool boolValue(const QString& key) const; // false when absent
    void setBool(const QString& key, bool value);
    QString stringValue(const QString& key) const; // empty when absent
    void setString(const QString& key, const QString& value);
    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    bool contains(const QString& key) const;
    void remove(const QString& key);
    // Writes pending changes; false when the store could not be written.
    bool sync();

    QString filePath() const;

private:
    explicit UserDefaults(std::shared_ptr<QSettings> settings);

    std::shared_ptr<QSettings> m_settings;
};
