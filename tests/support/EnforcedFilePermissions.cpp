#include "EnforcedFilePermissions.h"

#include <array>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t overrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

// Clears, then sets, bits of the effective set; returns the set as it was.
// Capabilities belong to threads on Linux; the raw calls touch only ours.
std::uint32_t changeEffective(std::uint32_t clear, std::uint32_t set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> data{};
    EXPECT_EQ(::syscall(SYS_capget, &header, data.data()), 0);
    const std::uint32_t before = data[0].effective;
    data[0].effective = (before & ~clear) | set;
    EXPECT_EQ(::syscall(SYS_capset, &header, data.data()), 0);
    return before;
}

} // namespace

EnforcedFilePermissions::EnforcedFilePermissions()
    : m_savedEffective(changeEffective(overrides, 0))
{}

EnforcedFilePermissions::~EnforcedFilePermissions()
{
    changeEffective(0, m_savedEffective & overrides);
}
