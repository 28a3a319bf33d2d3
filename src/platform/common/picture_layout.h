// Where the picture lies in a window's drawing area of any size, as every desktop
// backend shows it: centred, proportions kept, black bars around it, first drawn
// at the next whole multiple for crisp scaling; and which picture pixel a point
// of the window falls on.
#pragma once

#include <cstdint>

struct PictureLayout {
    int32_t x, y, width, height;  // the picture's rectangle
    int32_t multiple;             // smallest whole scale that covers the rectangle (at least 1)
    bool exact;                   // the rectangle is exactly that multiple: nearest alone is exact
};

// The layout in an area of width by height pixels (an empty rectangle when the
// area is).
PictureLayout picture_layout(int32_t width, int32_t height);
// Maps a point of the area to the picture pixel under its centre, the one the
// scaling shows there, in place. Points on the bars map outside 0..799 x 0..599.
// Left as they are when the rectangle is empty.
void area_to_picture(const PictureLayout& layout, int32_t* x, int32_t* y);
