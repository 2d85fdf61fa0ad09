#include "EnforcedFilePermissions.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using CapabilityData = std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3>;

// Capabilities are per thread on Linux, and the raw calls touch only ours.
bool readCapabilities(CapabilityData& data)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &header, data.data()) == 0;
}

bool writeCapabilities(CapabilityData& data)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &header, data.data()) == 0;
}

} // namespace

EnforcedFilePermissions::EnforcedFilePermissions()
{
    CapabilityData data{};
    EXPECT_TRUE(readCapabilities(data));
    for (std::size_t i = 0; i < data.size(); ++i)
        m_savedEffective[i] = data[i].effective;
    data[0].effective &=
        ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
    EXPECT_TRUE(writeCapabilities(data));
}

EnforcedFilePermissions::~EnforcedFilePermissions()
{
    CapabilityData data{};
    EXPECT_TRUE(readCapabilities(data));
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i].effective = m_savedEffective[i];
    EXPECT_TRUE(writeCapabilities(data));
}
