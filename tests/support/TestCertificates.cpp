#include "TestCertificates.h"

const TestCertificateAuthority& TestCertificates::shared()
{
    static const TestCertificateAuthority authority;
    return authority;
}
