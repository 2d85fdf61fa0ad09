#pragma once

#include "core/setup/SetupCheck.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// How the setup state is shown: the rows of the status tab's setup box and
// the lines of `zentropectl doctor`.
class SetupRows
{
public:
    enum class Check
    {
        certificate,
        addIn,
        accessibility
    };

    struct Row
    {
        Check check;
        QString title;
        QString explanation;

        friend bool operator==(const Row&, const Row&) = default;
    };

    SetupRows() = delete;

    // The setup box's rows, in order: one for each check that is not in order.
    // With no Office host installed the add-in is not missed.
    static QList<Row> problems(const SetupCheck::State& state);
    // Whether the setup box shows at all.
    static bool setupNeeded(const SetupCheck::State& state) { return !problems(state).isEmpty(); }

    // One line per check, in order (the problem's title or an OK line), then
    // "Setup complete." or "Setup needed.".
    static QStringList lines(const SetupCheck::State& state);
    // What follows a certificate installation that succeeded.
    static QString certificateInstalled();

private:
    static std::optional<Row> certificateProblem(const SetupCheck::State& state);
    static QString okLine(Check check, const SetupCheck::State& state);
};
