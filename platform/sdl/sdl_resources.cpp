// SPDX-License-Identifier: MIT
// The resources built into the program: the same table the headless
// backend reads, without its test overrides.
#include "platform/embedded_resources.h"
#include "platform/platform.h"

int FindResource(const char* name, const char* type, ResourceData* resource) {
    if (name == nullptr || type == nullptr || resource == nullptr)
        return 0;
    return FindEmbeddedResource(name, type, resource);
}
