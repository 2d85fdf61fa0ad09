// The views' suites: a QApplication on the offscreen platform, whatever
// display the developer has, so no window ever shows; the same throwaway home
// folder as every test process.
#include "support/TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    prepareTestEnvironment(home);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(u"Fusion"_s); // the same look on every machine
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
