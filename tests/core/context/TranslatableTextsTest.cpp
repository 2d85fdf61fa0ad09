// The texts that core hands to the window go through Qt's translation, with
// the English text as the source, so that a translation needs no code change.
#include "core/api/DaemonStatusRows.h"
#include "core/daemon/DaemonStatus.h"
#include "core/logs/LogsModel.h"
#include "core/office/SideloadMessages.h"
#include "core/setup/SetupRows.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Marks every text it is asked for, whatever its context.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return u'«' + QString::fromUtf8(source) + u'»';
    }
    bool isEmpty() const override { return false; }
};

} // namespace

TEST(TranslatableTexts, ViewTextsFromCoreAreTranslated)
{
    MarkingTranslator translator;
    ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
    const QStringList texts{
        DaemonStatus::starting().label(),       DaemonStatus::crashed(3).label(),
        DaemonStatusRows::queryingText(),       SideloadMessages::statusLabel(true, true, true),
        SideloadMessages::pickManifestFirst(),  LogsModel::label(LogsModel::Stream::stderr),
        SetupRows::problems({}).value(0).title,
    };
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(texts, (QStringList{u"«Starting…»"_qs, u"«Crashed (exit %1)»"_qs.arg(3),
                                  u"«Querying daemon…»"_qs, u"«Sideloaded — restart to load»"_qs,
                                  u"«Pick a manifest first.»"_qs, u"«Errors (daemon.err)»"_qs,
                                  u"«Localhost TLS cert missing»"_qs}));
    EXPECT_EQ(DaemonStatus::stopped().label(), u"Stopped"_qs) << "the source is the English text";
}
