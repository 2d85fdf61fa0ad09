#pragma once

#include <QTemporaryDir>

// Points HOME at a fresh empty folder while it lives, so that every location
// derived from the home folder starts out clean; the previous HOME returns.
class TemporaryHome
{
public:
    TemporaryHome() { qputenv("HOME", m_folder.path().toUtf8()); }
    ~TemporaryHome() { qputenv("HOME", m_previous); }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    QString path() const { return m_folder.path(); }

private:
    QByteArray m_previous = qgetenv("HOME");
    QTemporaryDir m_folder;
};
