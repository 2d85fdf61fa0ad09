#pragma once

#include "ScopedEnvironment.h"
#include "TestBundle.h"

#include <QTemporaryDir>

// While it lives, a PATH holding only a stand-in xdg-open (once installed)
// that writes its arguments, one a line, to record().
class XdgOpenRecorder
{
public:
    void install() const
    {
        writeFileAt(m_bin.filePath(QStringLiteral("xdg-open")),
                    "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record().toUtf8() + "'\n", true);
    }
    QString record() const { return m_bin.filePath(QStringLiteral("record")); }

private:
    QTemporaryDir m_bin;
    ScopedEnvironment m_path{"PATH", m_bin.path().toUtf8()};
};
