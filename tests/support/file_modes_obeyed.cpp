#include "tests/support/file_modes_obeyed.h"

#include <cstdint>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr std::uint32_t kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

struct Capabilities {
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] {};
};

bool readCapabilities(Capabilities& caps)
{
    return ::syscall(SYS_capget, &caps.header, caps.data) == 0;
}

bool setEffective(std::uint32_t effective)
{
    Capabilities caps;
    if (!readCapabilities(caps))
        return false;
    caps.data[0].effective = effective;
    return ::syscall(SYS_capset, &caps.header, caps.data) == 0;
}

} // namespace

FileModesObeyed::FileModesObeyed()
{
    Capabilities caps;
    if (!readCapabilities(caps))
        return;
    if ((caps.data[0].effective & kOverrides) == 0) {
        m_active = true;
        return;
    }
    m_dropped = setEffective(caps.data[0].effective & ~kOverrides);
    m_active = m_dropped;
}

FileModesObeyed::~FileModesObeyed()
{
    Capabilities caps;
    if (m_dropped && readCapabilities(caps))
        setEffective(caps.data[0].effective | (caps.data[0].permitted & kOverrides));
}

} // namespace testing_support
