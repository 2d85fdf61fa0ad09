#pragma once

#include "core/base/UserDefaults.h"

#include <QWidget>

class MessageLine;
class QCheckBox;

// A switch bound to a Boolean in the user defaults: it shows the stored
// value when made and writes each change at once, so zentropectl and the
// next run see it; a store that cannot be written says so under it.
class DefaultsSwitch : public QWidget
{
    Q_OBJECT

public:
    DefaultsSwitch(const QString& text, UserDefaults& defaults, const DefaultsKey<bool>& key,
                   QWidget* parent = nullptr);

    QCheckBox* checkBox() const { return m_switch; }

private:
    void switched(bool on);

    UserDefaults& m_defaults;
    const DefaultsKey<bool> m_key;
    QCheckBox* m_switch;
    MessageLine* m_error;
};
