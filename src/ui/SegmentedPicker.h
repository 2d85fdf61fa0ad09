#pragma once

#include <QWidget>

class QButtonGroup;
class QHBoxLayout;

// A row of segments of which exactly one is selected, for a choice among a
// few options shown side by side. Each segment is a button named by its
// text; the picker is named by its label.
class SegmentedPicker : public QWidget
{
    Q_OBJECT

public:
    SegmentedPicker(const QString& label, const QStringList& segments, QWidget* parent = nullptr);

    int currentIndex() const;
    // Selects a segment without announcing it.
    void setCurrentIndex(int index);

Q_SIGNALS:
    // The user selected another segment.
    void currentIndexChanged(int index);

private:
    QButtonGroup* m_group;
};
