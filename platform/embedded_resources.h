// SPDX-License-Identifier: MIT
// The table of resources compiled into the program (generated at build time
// by tools/embed_resources.cpp from resources/resources.txt), and the lookup
// that both backends use for FindResource.
#pragma once

#include <cstddef>

#include "platform/platform.h"

struct EmbeddedResource {
    const char* name;
    const char* type;
    const unsigned char* bytes;
    size_t size;
};

// Ends with an entry whose name is null.
extern const EmbeddedResource EmbeddedResources[];

// Looks `name` and `type` up in EmbeddedResources, ignoring letter case.
int FindEmbeddedResource(const char* name, const char* type, ResourceData* resource);
