#include "platform/linux/InotifyFileWatcher.h"

#include <QByteArray>
#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class InotifyFileWatch final : public FileWatch
{
public:
    InotifyFileWatch(int inotify, int file)
        : m_inotify(inotify)
        , m_file(file)
    {}
    ~InotifyFileWatch() override { ::close(m_inotify); }

    InotifyFileWatch(const InotifyFileWatch&) = delete;
    InotifyFileWatch& operator=(const InotifyFileWatch&) = delete;

    int descriptor() const override { return m_inotify; }

    Changes takeChanges() override
    {
        Changes changes;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t length = ::read(m_inotify, buffer, sizeof buffer);
            if (length < 0 && errno == EINTR)
                continue;
            if (length <= 0)
                return changes; // EAGAIN: nothing more is waiting
            for (ssize_t offset = 0; offset < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                changes |= translate(event->mask);
                offset += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    Changes translate(uint32_t mask) const
    {
        Changes changes;
        if (mask & (IN_MODIFY | IN_Q_OVERFLOW))
            changes |= Change::written;
        if (mask & IN_MOVE_SELF)
            changes |= Change::renamed;
        if (mask & (IN_DELETE_SELF | IN_IGNORED | IN_UNMOUNT))
            changes |= Change::deleted;
        // An overflow may have lost the attribute change of a deletion.
        if ((mask & (IN_ATTRIB | IN_Q_OVERFLOW)) && isUnlinked())
            changes |= Change::deleted;
        return changes;
    }

    bool isUnlinked() const
    {
        struct stat status = {};
        return ::fstat(m_file, &status) == 0 && status.st_nlink == 0;
    }

    const int m_inotify;
    const int m_file;
};

} // namespace

Result<std::unique_ptr<FileWatch>> InotifyFileWatcher::watch(int fileDescriptor)
{
    const int inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify < 0)
        return systemError(errno);
    // Through the descriptor's own /proc link, so that the watch is on the
    // file we hold even if its path was replaced since it was opened.
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fileDescriptor);
    const uint32_t mask = IN_MODIFY | IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF;
    if (::inotify_add_watch(inotify, self.constData(), mask) < 0) {
        const int code = errno;
        ::close(inotify);
        return systemError(code);
    }
    return std::unique_ptr<FileWatch>(std::make_unique<InotifyFileWatch>(inotify, fileDescriptor));
}

} // namespace platform
