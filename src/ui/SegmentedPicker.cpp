#include "ui/SegmentedPicker.h"

#include "ui/Style.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>

SegmentedPicker::SegmentedPicker(const QString& label, const QStringList& segments, QWidget* parent)
    : QWidget(parent)
    , m_group(new QButtonGroup(this))
{
    setAccessibleName(label);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0); // the segments touch, as one control
    for (int index = 0; index < segments.size(); ++index) {
        auto* segment = new QPushButton(segments[index], this);
        segment->setCheckable(true);
        segment->setAutoDefault(false);
        segment->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        segment->setMinimumWidth(segment->sizeHint().width());
        m_group->addButton(segment, index);
        row->addWidget(segment, 1);
    }
    // The selected segment takes the accent, as a selected row does.
    connect(m_group, &QButtonGroup::buttonToggled, this, [](QAbstractButton* segment, bool on) {
        Style::setProminent(qobject_cast<QPushButton*>(segment), on);
    });
    if (!segments.isEmpty())
        m_group->button(0)->setChecked(true);
    connect(m_group, &QButtonGroup::idClicked, this, &SegmentedPicker::currentIndexChanged);
}

int SegmentedPicker::currentIndex() const
{
    return m_group->checkedId();
}

void SegmentedPicker::setCurrentIndex(int index)
{
    if (QAbstractButton* segment = m_group->button(index))
        segment->setChecked(true); // toggles, but is no click: nothing is announced
}
