// SPDX-License-Identifier: MIT
// The mouse's movement on the page, in the game's pixels.
//
// The game reads the pointer every pass and puts it back at the screen
// centre; only the offset counts. The page never moves the system pointer:
// it adds up the movement the browser reports (in page pixels, with the
// pointer locked or not) and hands it out in whole pixels of the 640x480
// picture, however large the picture is drawn. What is left of a game pixel
// stays for the next pass, so slow movement adds up instead of being lost.
#pragma once

#include <cstdint>

class PointerMotion {
  public:
    // Movement of (dx, dy) page pixels.
    void Add(double dx, double dy);

    // The whole game pixels in the movement so far, when one game pixel is
    // drawn `scale` page pixels wide (scale > 0; 1 when it is not known).
    // Cut towards zero, so a left movement and a right one of the same size
    // read the same.
    void Read(double scale, int32_t* dx, int32_t* dy) const;

    // Takes what Read reports out of the movement, keeping the remainder.
    void Consume(double scale);

    // Forgets everything (the pointer was taken or given back).
    void Clear();

  private:
    double x_ = 0.0;
    double y_ = 0.0;
};
