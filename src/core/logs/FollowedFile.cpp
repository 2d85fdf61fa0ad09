#include "core/logs/FollowedFile.h"

#include <algorithm>
#include <cerrno>

namespace {

struct Opened
{
    std::optional<RegularFile> file;
    bool created = false;
};

Result<Opened> openOrCreate(const QString& path)
{
    // Creating exclusively tells a file we made from one that was there, and
    // never truncates one that a writer creates at the same moment. The loop
    // covers a file that vanishes or appears between the two calls.
    std::optional<Error> lastError;
    for (int attempt = 0; attempt < 3; ++attempt) {
        auto created = RegularFile::createForReading(path);
        if (created)
            return Opened{std::move(created).value(), true};
        if (created.error().code != EEXIST || created.error().domain != u"POSIX")
            return created.error();
        auto existing = RegularFile::openForReading(path, RegularFile::FinalLink::refuse);
        if (existing)
            return Opened{std::move(existing).value(), false};
        if (existing.error().code != ENOENT || existing.error().domain != u"POSIX")
            return existing.error();
        lastError = existing.error();
    }
    return *lastError;
}

} // namespace

Result<std::unique_ptr<FollowedFile>> FollowedFile::open(const QString& path,
                                                         platform::FileWatcher& watcher,
                                                         std::optional<qint64> position)
{
    auto opened = openOrCreate(path);
    if (!opened)
        return opened.error();
    RegularFile file = std::move(*std::move(opened).value().file);
    qint64 start = 0;
    if (!opened.value().created) {
        // A position beyond the end means the file was truncated meanwhile,
        // which the first read notices.
        const auto size = file.size();
        start = position.value_or(size ? size.value() : 0);
        if (!file.seek(start))
            start = 0;
    }
    auto watch = watcher.watch(file.descriptor());
    if (!watch)
        return watch.error();
    std::unique_ptr<FollowedFile> followed(new FollowedFile(std::move(file), start));
    followed->m_watch = std::move(watch).value();
    return followed;
}

FollowedFile::FollowedFile(RegularFile file, qint64 position)
    : m_file(std::move(file))
    , m_position(position)
{}

FollowedFile::~FollowedFile()
{
    m_watch.reset();
}

FollowedFile::Appended FollowedFile::readAppended(qint64 maxBytes)
{
    Appended appended;
    const auto size = m_file.size();
    if (!size)
        return appended;
    if (size.value() < m_position && m_file.seek(0)) {
        appended.truncated = true;
        m_position = 0;
    }
    if (size.value() <= m_position)
        return appended;
    const qint64 wanted = std::min<qint64>(size.value() - m_position, maxBytes);
    auto bytes = m_file.read(wanted);
    if (bytes) {
        appended.bytes = std::move(bytes).value();
        m_position += appended.bytes.size();
    }
    return appended;
}
