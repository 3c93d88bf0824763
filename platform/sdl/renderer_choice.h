// SPDX-License-Identifier: MIT
// Which renderer draws the game. SDL offers an accelerated renderer first,
// and on a machine without a graphics card (a virtual machine, a remote
// desktop, a driver that fell back to software) that is OpenGL carried out
// by a software rasteriser: several times the CPU and memory of SDL's own
// software renderer for the same picture, since the game only ever copies
// one 640x480 frame to the window. There the game draws in software
// instead. On a graphics card nothing changes, and a renderer the player
// names in SDL_RENDER_DRIVER is always the one used.
//
// Plain code, without SDL, so the choice can be tested as a table.
#pragma once

enum class RendererChoice {
    AsOffered,  // keep the renderer SDL offered
    Software,   // use SDL's software renderer instead
};

// Whether an OpenGL renderer string (GL_RENDERER) names a software
// rasteriser rather than a graphics card.
bool IsSoftwareRasteriser(const char* glRenderer);

// The choice for a renderer whose OpenGL renderer string is `glRenderer`
// (null when the renderer SDL offered is not an OpenGL one, or the string
// could not be read), with `playerDriver` the value of SDL_RENDER_DRIVER
// (null when it is not set).
RendererChoice ChooseRenderer(const char* glRenderer, const char* playerDriver);
