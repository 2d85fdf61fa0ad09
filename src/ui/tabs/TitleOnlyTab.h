#pragma once

#include <QWidget>

// A tab whose view is not built yet: its title, as the tabs show theirs.
class TitleOnlyTab : public QWidget
{
    Q_OBJECT

public:
    TitleOnlyTab(const QString& title, QWidget* parent = nullptr);
};
