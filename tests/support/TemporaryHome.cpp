#include "TemporaryHome.h"

#include <QtGlobal>

TemporaryHome::TemporaryHome()
    : m_previous(qgetenv("HOME"))
{
    qputenv("HOME", m_folder.path().toUtf8());
}

TemporaryHome::~TemporaryHome()
{
    qputenv("HOME", m_previous);
}
