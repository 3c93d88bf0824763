// SPDX-License-Identifier: MIT
#include "platform/sdl/renderer_choice.h"

#include <strings.h>

#include <cstring>

namespace {

// How the software rasterisers of the usual OpenGL drivers name themselves.
constexpr const char* SoftwareRasterisers[] = {"llvmpipe", "softpipe", "swrast",
                                               "Software Rasterizer"};

// Whether `text` contains `word`, letter case aside.
bool ContainsWord(const char* text, const char* word) {
    const size_t length = std::strlen(word);
    for (const char* at = text; *at != '\0'; ++at) {
        if (strncasecmp(at, word, length) == 0)
            return true;
    }
    return false;
}

}  // namespace

bool IsSoftwareRasteriser(const char* glRenderer) {
    if (glRenderer == nullptr)
        return false;
    for (const char* name : SoftwareRasterisers) {
        if (ContainsWord(glRenderer, name))
            return true;
    }
    return false;
}

RendererChoice ChooseRenderer(const char* glRenderer, const char* playerDriver) {
    // An empty value names no renderer; SDL ignores it too.
    if (playerDriver != nullptr && playerDriver[0] != '\0')
        return RendererChoice::AsOffered;
    return IsSoftwareRasteriser(glRenderer) ? RendererChoice::Software : RendererChoice::AsOffered;
}
