// SPDX-License-Identifier: MIT
// Which renderer draws the game: SDL's software one where OpenGL is carried
// out by a software rasteriser, the offered one on a graphics card, and
// always the one the player names.
#include <gtest/gtest.h>

#include "platform/sdl/renderer_choice.h"

namespace {

TEST(RendererChoice, SoftwareOnlyWhereOpenGlIsASoftwareRasteriserAndThePlayerChoseNothing) {
    using Choice = RendererChoice;
    struct Case {
        const char* glRenderer;    // null: not OpenGL, or not known
        const char* playerDriver;  // null: SDL_RENDER_DRIVER not set
        Choice expected;
    };
    const Case cases[] = {
        // The software rasterisers, as their drivers name themselves.
        {"llvmpipe (LLVM 15.0.6, 256 bits)", nullptr, Choice::Software},
        {"softpipe", nullptr, Choice::Software},
        {"Mesa X11 swrast", nullptr, Choice::Software},
        {"Software Rasterizer", nullptr, Choice::Software},
        {"LLVMPIPE", nullptr, Choice::Software},
        // A graphics card, or nothing known: as SDL offers.
        {"Example Graphics 9000 (rev 2)", nullptr, Choice::AsOffered},
        {"", nullptr, Choice::AsOffered},
        {nullptr, nullptr, Choice::AsOffered},
        {"pipe", nullptr, Choice::AsOffered},
        // The player's driver wins, whatever it names.
        {"llvmpipe (LLVM 15.0.6, 256 bits)", "opengl", Choice::AsOffered},
        {"llvmpipe (LLVM 15.0.6, 256 bits)", "software", Choice::AsOffered},
        {"Example Graphics 9000 (rev 2)", "software", Choice::AsOffered},
        // An empty setting names nothing.
        {"llvmpipe (LLVM 15.0.6, 256 bits)", "", Choice::Software},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseRenderer(c.glRenderer, c.playerDriver), c.expected)
            << "renderer \"" << (c.glRenderer ? c.glRenderer : "(none)")
            << "\", SDL_RENDER_DRIVER \"" << (c.playerDriver ? c.playerDriver : "(unset)") << "\"";
    }
}

}  // namespace
