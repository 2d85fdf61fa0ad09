#pragma once

#include "TestCertificateAuthority.h"

// The authority whose server certificate TestServer answers HTTPS with, made
// once per test process, for the suites that reach a TestServer without
// handing it an authority.
namespace TestCertificates {

const TestCertificateAuthority& shared();

} // namespace TestCertificates
