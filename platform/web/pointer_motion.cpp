// SPDX-License-Identifier: MIT
#include "platform/web/pointer_motion.h"

#include <cmath>

namespace {

// A reading in whole game pixels, kept within what the game's 32-bit
// coordinates can take; the game clamps its cursors far inside that.
int32_t WholePixels(double pagePixels, double scale) {
    if (!(scale > 0.0))
        scale = 1.0;
    const double whole = std::trunc(pagePixels / scale);
    constexpr double Limit = 1 << 30;
    if (whole > Limit)
        return static_cast<int32_t>(Limit);
    if (whole < -Limit)
        return static_cast<int32_t>(-Limit);
    return static_cast<int32_t>(whole);
}

}  // namespace

void PointerMotion::Add(double dx, double dy) {
    // A browser may report nothing usable for a synthetic event.
    if (std::isfinite(dx))
        x_ += dx;
    if (std::isfinite(dy))
        y_ += dy;
}

void PointerMotion::Read(double scale, int32_t* dx, int32_t* dy) const {
    *dx = WholePixels(x_, scale);
    *dy = WholePixels(y_, scale);
}

void PointerMotion::Consume(double scale) {
    if (!(scale > 0.0))
        scale = 1.0;
    int32_t dx = 0;
    int32_t dy = 0;
    Read(scale, &dx, &dy);
    x_ -= dx * scale;
    y_ -= dy * scale;
}

void PointerMotion::Clear() {
    x_ = 0.0;
    y_ = 0.0;
}
