#pragma once

#include "TestBundle.h"

#include <QString>
#include <QStringList>

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built zentropectl from inside `bundle`, with `home` as its home and
// settings folder, processing events until it ends (so servers in the test answer).
ToolRun runZentropectl(const TestBundle& bundle, const QString& home, const QStringList& arguments);
