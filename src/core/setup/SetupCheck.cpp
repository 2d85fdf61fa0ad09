#include "core/setup/SetupCheck.h"

#include "core/base/FileSystem.h"
#include "core/office/OfficeHost.h"
#include "core/office/Sideloader.h"
#include "core/process/CapturedProcess.h"
#include "platform/Accessibility.h"
#include "platform/CertificateTrust.h"

#include <QDir>
#include <QFileInfo>
#include <QPromise>
#include <QStringDecoder>
#include <QThreadPool>

const QString SetupCheck::errorDomain = QStringLiteral("SetupCheck");

namespace {

// Strict: output that is not valid UTF-8 as a whole reads as no text at all.
QString decodeUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

Result<QString> judge(const Result<CapturedProcess::Output>& run)
{
    if (!run)
        return run.error();
    const QString text = decodeUtf8(run.value().bytes);
    // A script ended by a signal reports the signal's number, never success.
    const int status = run.value().termination.status;
    if (status == 0)
        return text;
    return Error{SetupCheck::errorDomain, status, QStringLiteral("Cert install failed:\n") + text};
}

} // namespace

QString SetupCheck::certificatePath()
{
    return QDir::homePath() + QStringLiteral("/.zentrope/certs/localhost.crt");
}

SetupCheck::State SetupCheck::evaluate(platform::CertificateTrust& trust,
                                       platform::Accessibility& accessibility,
                                       const CertificateValidity& validity)
{
    State state;
    const QString certificate = certificatePath();
    state.certInstalled = FileSystem::itemExists(certificate);
    state.certValid = state.certInstalled && validity.isValidForAtLeastDays(certificate, 1);
    state.certTrusted = state.certValid && trust.isTrustedForSsl(certificate);
    for (const OfficeHost host : OfficeHost::allCases()) {
        if (!host.isInstalled())
            continue; // a manifest in a host that is not there helps nobody
        state.anyHostInstalled = true;
        state.anyHostSideloaded = state.anyHostSideloaded || Sideloader::isSideloaded(host);
    }
    state.accessibilityGranted = accessibility.isProcessTrusted();
    return state;
}

QFuture<SetupCheck::State>
SetupCheck::evaluateAsync(std::shared_ptr<platform::CertificateTrust> trust,
                          std::shared_ptr<platform::Accessibility> accessibility,
                          CertificateValidity validity)
{
    auto promise = std::make_shared<QPromise<State>>();
    QFuture<State> future = promise->future();
    promise->start();
    // A reserved thread, not a queued task: a check may take its full bound,
    // and must neither wait behind the pool's other work nor hold it up.
    // The application waits for the pool when it ends, so none is cut off.
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->reserveThread();
    pool->startOnReservedThread([promise, trust = std::move(trust),
                                 accessibility = std::move(accessibility),
                                 validity = std::move(validity)] {
        promise->addResult(evaluate(*trust, *accessibility, validity));
        promise->finish();
    });
    return future;
}

void SetupCheck::openAccessibilitySettings(platform::Accessibility& accessibility)
{
    accessibility.requestTrust();
    accessibility.openSettings();
}

QFuture<Result<QString>> SetupCheck::installCert(const Bundle& bundle)
{
    const std::optional<QString> script = installerScript(bundle);
    if (!script) {
        return QtFuture::makeReadyFuture(Result<QString>(
            Error{errorDomain, 1, QStringLiteral("Bundled cert installer missing.")}));
    }
    return CapturedProcess::run(QStringLiteral("/bin/bash"), {*script})
        .then([](const Result<CapturedProcess::Output>& run) { return judge(run); });
}

std::optional<QString> SetupCheck::installerScript(const Bundle& bundle)
{
    if (auto script = bundle.resource(QStringLiteral("install-localhost-cert"),
                                      QStringLiteral("sh"), QStringLiteral("setup")))
        return script;
    return bundleRelative(bundle,
                          QStringLiteral("Contents/Resources/setup/install-localhost-cert.sh"));
}

std::optional<QString> SetupCheck::bundleRelative(const Bundle& bundle, const QString& relativePath)
{
    const QString path = bundle.path() + u'/' + relativePath;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return path;
}
