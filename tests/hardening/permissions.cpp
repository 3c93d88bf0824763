// SPDX-License-Identifier: MIT
#include "tests/hardening/permissions.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>

namespace {

// The powers that let a process ignore a file's mode: reading and
// searching, writing, and acting as the owner of any file.
constexpr uint32_t OverridingPowers =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool ReadPowers(__user_cap_data_struct data[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

bool WritePowers(__user_cap_data_struct data[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}

// Sets whether the overriding powers are in effect. They stay permitted,
// so they can be taken up again.
bool SetOverriding(bool inEffect) {
    __user_cap_data_struct data[2] = {};
    if (!ReadPowers(data))
        return false;
    if (inEffect)
        data[0].effective |= data[0].permitted & OverridingPowers;
    else
        data[0].effective &= ~OverridingPowers;
    return WritePowers(data);
}

bool HasOverriding() {
    __user_cap_data_struct data[2] = {};
    return ReadPowers(data) && (data[0].effective & OverridingPowers) != 0;
}

}  // namespace

PermissionsEnforced::PermissionsEnforced() {
    if (!HasOverriding()) {
        holds_ = true;
        return;
    }
    lowered_ = SetOverriding(false);
    holds_ = lowered_ && !HasOverriding();
}

PermissionsEnforced::~PermissionsEnforced() {
    if (lowered_)
        SetOverriding(true);
}
