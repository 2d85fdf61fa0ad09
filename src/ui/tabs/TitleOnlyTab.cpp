#include "ui/tabs/TitleOnlyTab.h"

#include "ui/Style.h"

#include <QLabel>
#include <QVBoxLayout>

TitleOnlyTab::TitleOnlyTab(const QString& title, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(title, this);
    Style::setTextStyle(heading, TextStyle::title2, /*bold=*/true);
    layout->addWidget(heading);
    layout->addStretch();
}
