#include "platform/appcast/UpdateAddress.h"

#include <gtest/gtest.h>

TEST(UpdateAddress, TrustsHttpsAndPlainHttpOnThisMachineOnly)
{
    const std::pair<const char*, bool> cases[] = {
        {"https://example.com/Zentrope.zip", true},
        {"http://127.0.0.1:8080/appcast.xml", true},
        {"http://127.8.9.10/appcast.xml", true},
        {"http://localhost/appcast.xml", true},
        {"http://[::1]:8080/appcast.xml", true},
        {"http://example.com/Zentrope.zip", false},
        {"http://0.0.0.0:8080/appcast.xml", false},
        {"http://localhost.example.com/appcast.xml", false},
        {"https:///no-host", false},
        {"javascript:alert(1)", false},
        {"file:///etc/passwd", false},
        {"ftp://127.0.0.1/Zentrope.zip", false},
        {"", false},
    };
    for (const auto& [url, trusted] : cases)
        EXPECT_EQ(UpdateAddress::isTrusted(QUrl(QString::fromUtf8(url))), trusted) << url;
}
