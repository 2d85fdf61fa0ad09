#pragma once

#include <QString>
#include <QStringView>

// One setting in the user defaults: its name, the type of its value, and
// what reading it gives while nothing (or nothing of that type) is stored.
template <typename T> struct DefaultsKey
{
    QStringView name;
    T defaultValue;
};

// Every key the application keeps in the user defaults, in one place.
namespace DefaultsKeys {

// The first-run flow has opened the main window once; never written false.
inline const DefaultsKey<bool> firstRunCompleted{u"zentrope.firstRun.completed", false};
// The application's short version at the last launch: a change flushes the
// Office add-in caches once.
inline const DefaultsKey<QString> lastLaunchedShortVersion{u"zentrope.lastLaunchedShortVersion",
                                                           QString()};
// The first-run login-item registration was attempted; never cleared.
inline const DefaultsKey<bool> launchAtLoginRegistered{u"zentrope.launchAtLogin.registered", false};
// Offer releases of the beta channel.
inline const DefaultsKey<bool> betaChannelEnabled{u"zentrope.updater.betaChannelEnabled", false};
// The version the user chose to skip when an update was offered.
inline const DefaultsKey<QString> skippedVersion{u"zentrope.updater.skippedVersion", QString()};
// Drawn once per installation: places it in a group of a phased rollout.
inline const DefaultsKey<qulonglong> updateGroupIdentifier{
    u"zentrope.updater.updateGroupIdentifier", 0};
// A desktop notification when the daemon crashes.
inline const DefaultsKey<bool> crashAlerts{u"zentrope.notifications.crashAlerts", true};

// The update framework's own settings, under Sparkle's names so that they
// read the same on every platform.
inline const DefaultsKey<bool> automaticallyChecksForUpdates{u"SUEnableAutomaticChecks", true};
// When the last check began, as ISO 8601 text in UTC with milliseconds.
inline const DefaultsKey<QString> lastUpdateCheckTime{u"SULastCheckTime", QString()};
// Seconds between scheduled checks (a day); the controller allows no less than an hour.
inline const DefaultsKey<qint64> updateCheckInterval{u"SUScheduledCheckInterval", 24 * 60 * 60};

} // namespace DefaultsKeys
