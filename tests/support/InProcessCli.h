#pragma once

#include "CliRun.h"
#include "TestBundle.h"
#include "core/context/ApplicationContext.h"
#include "platform/fake/FakeServices.h"

#include <QStringList>
#include <QTemporaryDir>

// Runs zentropectl commands in this process as its main() does, each with a
// fresh ApplicationContext made of `fakes`, a defaults file of its own and
// `bundle`, and collects what they print. The daemon's port is one where
// nothing listens, unless a test points `daemon` at a server of its own.
class InProcessCli
{
public:
    InProcessCli();

    // `zentropectl <arguments>`, to its end.
    CliRun run(const QStringList& arguments);
    // The same with `words` split at spaces.
    CliRun run(const QString& words) { return run(words.split(u' ', Qt::SkipEmptyParts)); }

    UserDefaults defaults() const;

    platform::FakeServices fakes;
    TestBundle bundle;
    ApplicationContext::DaemonSettings daemon;
    // Standard output goes to /dev/full, where every write fails; run()'s
    // `out` is then empty.
    bool standardOutputFull = false;

private:
    QTemporaryDir m_folder;
};
