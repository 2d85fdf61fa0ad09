// SetupCheck::evaluate with the real openssl, certificates made by test CAs
// and Office containers in a throwaway home.
#include "core/office/Sideloader.h"
#include "core/setup/SetupCheck.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeCertificateTrust.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"
#include "support/TestCertificateAuthority.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSemaphore>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;

namespace {

// A trust check that answers yes once released, as a slow program would,
// and remembers the thread that asked. It gives up after a while, so a
// failing test cannot hang.
class GatedTrust final : public platform::CertificateTrust
{
public:
    bool isTrustedForSsl(const QString&) override
    {
        askedOn = QThread::currentThread();
        return gate.tryAcquire(1, 30'000);
    }
    QSemaphore gate;
    std::atomic<QThread*> askedOn = nullptr;
};

class SetupEvaluationTest : public ::testing::Test
{
protected:
    // An openssl stand-in that leaves a mark when it runs, then answers yes.
    CertificateValidity recordingValidity() const
    {
        return CertificateValidity(CheckProgram(
            writeFileAt(scratch.filePath(u"openssl"_s),
                        "#!/bin/sh\ntouch '" + ranMark().toUtf8() + "'\nexit 0\n", true)));
    }
    QString ranMark() const { return scratch.filePath(u"openssl-ran"_s); }

    SetupCheck::State evaluate(const CertificateValidity& validity = CertificateValidity())
    {
        return SetupCheck::evaluate(trust, accessibility, validity);
    }
    static void install(OfficeHost host) { QDir().mkpath(host.containerDirectory()); }
    static void placeManifest(OfficeHost host, QStringView name)
    {
        writeFileAt(host.wefDirectory() + u'/' + name.toString(), "<OfficeApp/>");
    }

    TemporaryHome home;
    QTemporaryDir scratch;
    platform::FakeCertificateTrust trust;
    platform::FakeAccessibility accessibility;
};

} // namespace

TEST_F(SetupEvaluationTest, WithoutACertificateNoProgramRuns)
{
    trust.trusted = true;
    EXPECT_EQ(evaluate(recordingValidity()), SetupCheck::State());
    EXPECT_FALSE(QFile::exists(ranMark()));
    EXPECT_EQ(trust.checked, QStringList());
    // A link to a certificate that is gone is no certificate either.
    const QString target = scratch.filePath(u"gone.crt"_s);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(SetupCheck::certificatePath()).path()));
    ASSERT_TRUE(QFile::link(target, SetupCheck::certificatePath()));
    EXPECT_EQ(evaluate(recordingValidity()), SetupCheck::State());
    EXPECT_FALSE(QFile::exists(ranMark()));

    // The stand-in does run once the file is there, so the test above proves something.
    writeFileAt(target, "anything");
    EXPECT_EQ(evaluate(recordingValidity()),
              (SetupCheck::State{.certInstalled = true, .certValid = true, .certTrusted = true}));
    EXPECT_TRUE(QFile::exists(ranMark()));
    EXPECT_EQ(trust.checked, QStringList{SetupCheck::certificatePath()});
}

TEST_F(SetupEvaluationTest, ACertificateExpiringWithinADayIsNeverAskedAboutTrust)
{
    TestCertificateAuthority().issue(SetupCheck::certificatePath(), 12h);
    trust.trusted = true;
    EXPECT_EQ(evaluate(), SetupCheck::State{.certInstalled = true});
    EXPECT_EQ(trust.checked, QStringList());
}

TEST_F(SetupEvaluationTest, OnlyInstalledHostsCountUnderEitherManifestNameAndAccessibilityIsAsked)
{
    // A manifest in a container that is no Office host's is stray.
    writeFileAt(home.path() + QStringLiteral("/Library/Containers/com.example.Other/Data/"
                                             "Documents/wef/zentrope.manifest.xml"),
                "<OfficeApp/>");
    EXPECT_EQ(evaluate(), SetupCheck::State());
    install(OfficeHost::excel);
    EXPECT_EQ(evaluate(), SetupCheck::State{.anyHostInstalled = true});
    placeManifest(OfficeHost::powerpoint, Sideloader::manifestFileName);
    EXPECT_TRUE(evaluate().anyHostSideloaded);

    placeManifest(OfficeHost::excel, Sideloader::legacyManifestFileName);
    QFile::remove(OfficeHost(OfficeHost::powerpoint).wefDirectory() + u'/' +
                  Sideloader::manifestFileName.toString());
    accessibility.trusted = true;
    EXPECT_EQ(evaluate(), (SetupCheck::State{.anyHostSideloaded = true,
                                             .anyHostInstalled = true,
                                             .accessibilityGranted = true}));
    EXPECT_EQ(accessibility.requests, QStringList()) << "no prompt, no settings";
}

TEST_F(SetupEvaluationTest, TheAsynchronousFormLeavesTheCallersThreadFreeAndGivesTheSameState)
{
    writeFileAt(SetupCheck::certificatePath(), "anything");
    install(OfficeHost::excel);
    auto gated = std::make_shared<GatedTrust>();
    auto granted = std::make_shared<platform::FakeAccessibility>();
    granted->trusted = true;
    const auto released = qScopeGuard([&] { gated->gate.release(); });

    QFuture<SetupCheck::State> future =
        SetupCheck::evaluateAsync(gated, granted, recordingValidity());
    // Only this thread could release the check: it has gone on meanwhile.
    ASSERT_TRUE(waitUntil([&] { return gated->askedOn.load() != nullptr; }));
    EXPECT_NE(gated->askedOn.load(), QThread::currentThread());
    EXPECT_FALSE(future.isFinished());

    gated->gate.release();
    const SetupCheck::State continued = awaitResult(future);
    trust.trusted = true;
    accessibility.trusted = true;
    EXPECT_EQ(continued, evaluate(recordingValidity()));
    EXPECT_TRUE(continued.certTrusted && continued.anyHostInstalled &&
                continued.accessibilityGranted);
}
