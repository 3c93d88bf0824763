// SPDX-License-Identifier: MIT
#include "platform/embedded_resources.h"

#include <strings.h>

int FindEmbeddedResource(const char* name, const char* type, ResourceData* resource) {
    if (name == nullptr || type == nullptr)
        return 0;
    for (const EmbeddedResource* entry = EmbeddedResources; entry->name != nullptr; ++entry) {
        if (strcasecmp(entry->name, name) == 0 && strcasecmp(entry->type, type) == 0) {
            resource->bytes = entry->bytes;
            resource->size = entry->size;
            return 1;
        }
    }
    return 0;
}
