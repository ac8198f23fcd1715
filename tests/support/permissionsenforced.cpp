#include "permissionsenforced.h"

#include <algorithm>
#include <iterator>
#include <sys/syscall.h>
#include <unistd.h>

PermissionsEnforced::PermissionsEnforced() {
    if (syscall(SYS_capget, &m_header, m_saved) != 0)
        return;
    __user_cap_data_struct reduced[_LINUX_CAPABILITY_U32S_3];
    std::copy(std::begin(m_saved), std::end(m_saved), reduced);
    reduced[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
    m_changed = syscall(SYS_capset, &m_header, reduced) == 0;
}

PermissionsEnforced::~PermissionsEnforced() {
    if (m_changed)
        syscall(SYS_capset, &m_header, m_saved);
}
