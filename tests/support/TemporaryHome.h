#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Points HOME at a fresh empty folder for as long as it lives, so that every
// location derived from the home folder starts out clean; the previous HOME
// comes back afterwards.
class TemporaryHome
{
public:
    TemporaryHome();
    ~TemporaryHome();
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    QString path() const { return m_folder.path(); }

private:
    QByteArray m_previous;
    QTemporaryDir m_folder;
};
