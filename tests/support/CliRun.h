#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of the built zentropectl (or `program`), waited for to its end.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;

    static CliRun
    of(const QStringList& arguments,
       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
       const QString& program = QStringLiteral(ZENTROPECTL_PATH));
};
