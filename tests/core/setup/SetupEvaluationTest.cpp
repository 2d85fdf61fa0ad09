// SetupCheck::evaluate with certificates made by a test CA (or an openssl
// stand-in) and Office containers in a throwaway home.
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
using State = SetupCheck::State;

namespace {

// A trust check that answers yes once released, as a slow program would (or
// after 30 s, so a failing test cannot hang), and remembers the asking thread.
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
    State evaluate(const CertificateValidity& validity = CertificateValidity())
    {
        return SetupCheck::evaluate(trust, accessibility, validity);
    }

    TemporaryHome home;
    QTemporaryDir scratch;
    platform::FakeCertificateTrust trust;
    platform::FakeAccessibility accessibility;
};

} // namespace

TEST_F(SetupEvaluationTest, ACertificateIsMissingExpiringUntrustedOrInOrderAndOnlyAValidOneIsAsked)
{
    trust.trusted = true;
    EXPECT_EQ(evaluate(recordingValidity()), State());
    // A link to a certificate that is gone is no certificate either.
    const QString target = scratch.filePath(u"gone.crt"_s);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(SetupCheck::certificatePath()).path()));
    ASSERT_TRUE(QFile::link(target, SetupCheck::certificatePath()));
    EXPECT_EQ(evaluate(recordingValidity()), State());
    EXPECT_FALSE(QFile::exists(ranMark()));
    EXPECT_EQ(trust.checked, QStringList());

    // The stand-in does run once the file is there, so the test above proves something.
    writeFileAt(target, "anything");
    EXPECT_EQ(evaluate(recordingValidity()),
              (State{.certInstalled = true, .certValid = true, .certTrusted = true}));
    EXPECT_TRUE(QFile::exists(ranMark()));
    EXPECT_EQ(trust.checked, QStringList{SetupCheck::certificatePath()});
    trust.trusted = false;
    EXPECT_EQ(evaluate(recordingValidity()), (State{.certInstalled = true, .certValid = true}));

    QFile::remove(SetupCheck::certificatePath());
    TestCertificateAuthority().issue(SetupCheck::certificatePath(), 12h);
    trust.checked.clear();
    EXPECT_EQ(evaluate(), State{.certInstalled = true}) << "expires within a day";
    EXPECT_EQ(trust.checked, QStringList());
}

TEST_F(SetupEvaluationTest, OnlyAnInstalledHostCountsAndAccessibilityIsAskedWithoutAPrompt)
{
    EXPECT_EQ(evaluate(), State());
    QDir().mkpath(OfficeHost(OfficeHost::excel).containerDirectory());
    EXPECT_EQ(evaluate(), State{.anyHostInstalled = true});
    writeFileAt(OfficeHost(OfficeHost::excel).wefDirectory() + u'/' +
                    Sideloader::manifestFileName.toString(),
                "<OfficeApp/>");
    accessibility.trusted = true;
    EXPECT_EQ(
        evaluate(),
        (State{.anyHostSideloaded = true, .anyHostInstalled = true, .accessibilityGranted = true}));
    EXPECT_EQ(accessibility.requests, QStringList()) << "no prompt, no settings";
}

TEST_F(SetupEvaluationTest, TheAsynchronousFormLeavesTheCallersThreadFreeAndGivesTheSameState)
{
    writeFileAt(SetupCheck::certificatePath(), "anything");
    auto gated = std::make_shared<GatedTrust>();
    auto granted = std::make_shared<platform::FakeAccessibility>();
    granted->trusted = true;
    const auto released = qScopeGuard([&] { gated->gate.release(); });

    QFuture<State> future = SetupCheck::evaluateAsync(gated, granted, recordingValidity());
    // Only this thread could release the check: it has gone on meanwhile.
    ASSERT_TRUE(waitUntil([&] { return gated->askedOn.load() != nullptr; }));
    EXPECT_NE(gated->askedOn.load(), QThread::currentThread());
    EXPECT_FALSE(future.isFinished());
    gated->gate.release();
    EXPECT_EQ(awaitResult(future), (State{.certInstalled = true,
                                          .certValid = true,
                                          .certTrusted = true,
                                          .accessibilityGranted = true}));
}
