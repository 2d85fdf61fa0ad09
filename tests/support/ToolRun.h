#pragma once

#include "TestBundle.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of zentropectl, copied into `bundle` as Contents/MacOS/zentropectl
// so that it takes that bundle for its own.
struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;

    static ToolRun run(const TestBundle& bundle, const QStringList& arguments,
                       const QProcessEnvironment& environment);
};
