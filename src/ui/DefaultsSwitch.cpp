#include "ui/DefaultsSwitch.h"

#include "ui/MessageLine.h"

#include <QCheckBox>
#include <QVBoxLayout>

DefaultsSwitch::DefaultsSwitch(const QString& text, UserDefaults& defaults,
                               const DefaultsKey<bool>& key, QWidget* parent)
    : QWidget(parent)
    , m_defaults(defaults)
    , m_key(key)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    m_switch = new QCheckBox(text, this);
    m_switch->setChecked(m_defaults.value(m_key));
    connect(m_switch, &QCheckBox::toggled, this, &DefaultsSwitch::switched);
    column->addWidget(m_switch);
    m_error = new MessageLine(QStringLiteral("xmark.octagon.fill"), SemanticColor::red,
                              TextStyle::caption, this);
    column->addWidget(m_error);
}

void DefaultsSwitch::switched(bool on)
{
    m_defaults.setValue(m_key, on);
    if (m_defaults.sync())
        m_error->setMessage(std::nullopt);
    else
        m_error->setMessage(tr("Could not save the setting in %1.").arg(m_defaults.filePath()));
}
