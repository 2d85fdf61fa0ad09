#pragma once

#include "core/base/Bundle.h"
#include "core/base/Error.h"
#include "core/office/OfficeHost.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace platform {
class Workspace;
}

// Puts the add-in's manifest into an Office host's wef folder, takes it out
// again, and tells whether a host has it. Everything runs synchronously on
// the calling thread and reports through Outcome; nothing throws.
namespace Sideloader {

// The only name install writes.
inline constexpr QStringView manifestFileName = u"zentrope.manifest.xml";
// An older name: never written, but recognised and removed.
inline constexpr QStringView legacyManifestFileName = u"zentrope.xml";

// Why a manifest source was refused before anything was touched.
inline constexpr QStringView errorDomain = u"Sideloader";
enum class ErrorCode : int
{
    manifestMissing = 1,
    manifestNotAFile = 2,
    manifestUnreadable = 3,
    manifestIsDestination = 4,
    manifestTooLarge = 5,
};

// An add-in manifest is a few kilobytes; a file beyond this is no manifest
// and is not copied into the hosts' containers.
inline constexpr qint64 largestManifest = 10 * 1024 * 1024;

class Outcome
{
public:
    enum class Kind
    {
        copied,  // file(): the destination written
        skipped, // reason(): nothing was changed
        removed, // file(): the current-name path, even if only the older file went
        failed,  // error(): what went wrong
    };

    static Outcome copied(QString file) { return {Kind::copied, std::move(file), {}}; }
    static Outcome skipped(QString reason) { return {Kind::skipped, std::move(reason), {}}; }
    static Outcome removed(QString file) { return {Kind::removed, std::move(file), {}}; }
    static Outcome failed(Error error) { return {Kind::failed, {}, std::move(error)}; }

    Kind kind() const { return m_kind; }
    // For copied and removed; empty otherwise.
    QString file() const { return m_kind == Kind::skipped ? QString() : m_text; }
    // For skipped; empty otherwise.
    QString reason() const { return m_kind == Kind::skipped ? m_text : QString(); }
    // For failed; empty otherwise.
    const Error& error() const { return m_error; }

    friend bool operator==(const Outcome&, const Outcome&) = default;

private:
    Outcome(Kind kind, QString text, Error error)
        : m_kind(kind)
        , m_text(std::move(text))
        , m_error(std::move(error))
    {}

    Kind m_kind;
    QString m_text;
    Error m_error;
};

struct HostOutcome
{
    OfficeHost host;
    Outcome outcome;
};

// Contents/Resources/setup/manifest.xml of `bundle`, looked up afresh.
std::optional<QString> bundledProdManifest(const Bundle& bundle);

// Copies `source` to <wef>/zentrope.manifest.xml, replacing what is there.
// A host without a container is skipped and nothing is created. The source
// is checked first (a readable file of at most largestManifest bytes, not
// the destination itself), so a bad choice never costs the host the manifest
// it has.
Outcome install(const QString& source, OfficeHost host);
// Deletes both manifest names, links that lead nowhere too; never creates folders.
Outcome remove(OfficeHost host);
// Either manifest name is present in the host's wef folder, as a file or a
// link to one.
bool isSideloaded(OfficeHost host);

// install() into every installed host, in order.
QList<HostOutcome> installAll(const QString& source);
// remove() from every host, installed or not, in order.
QList<HostOutcome> removeAll();

// Deletes the add-in caches of every installed host, ignoring failures (a
// cache folder may well be absent). Returns those hosts, in order.
QList<OfficeHost> flushAddinCaches();
// Sends the polite quit request to every running Office host and returns
// at once. Returns the hosts asked, in order.
QList<OfficeHost> quitRunningHosts(platform::Workspace& workspace);

} // namespace Sideloader
