#include "cli/FileDescriptorSink.h"

#include <cerrno>
#include <unistd.h>

Result<Done> FileDescriptorSink::write(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count =
            ::write(m_descriptor, bytes.constData() + written, std::size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return systemError(errno);
        written += count;
    }
    return Done{};
}
