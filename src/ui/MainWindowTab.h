#pragma once

#include <array>

// The main window's tabs, in the sidebar's order.
enum class MainWindowTab
{
    status,
    addIn,
    logs,
    support
};

inline constexpr std::array<MainWindowTab, 4> allMainWindowTabs{
    MainWindowTab::status, MainWindowTab::addIn, MainWindowTab::logs, MainWindowTab::support};
