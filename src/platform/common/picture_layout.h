// Where the picture lies in a window's drawing area of any size, as every backend
// shows it (the page included): centred, proportions kept, black bars around it,
// first drawn at the next whole multiple for crisp scaling; its parts laid out
// anew in an area taller than wide; and which picture pixel a point of the
// window falls on.
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

// ------------------------------------------------------------ compositions
// An area taller than wide shows the picture's parts laid out for it: the play
// field (the picture's right 600x600) on top at the full width, the menu bar's
// parts (title, score, level, the five buttons, pause and the clock) below it,
// each scaled whole, never cut or turned. An area as wide as high or wider shows
// the whole picture as one part, letterboxed as above.

struct PicturePart {
    int32_t source_x, source_y, source_width, source_height;  // in the picture
    int32_t x, y, width, height;                              // in the area
    int32_t multiple;  // smallest whole scale that covers the place (at least 1)
    bool exact;        // the place is exactly that multiple: nearest alone is exact
};

constexpr int32_t kMaxPictureParts = 10;

struct PictureComposition {
    int32_t count;  // 0 when the area is empty
    PicturePart parts[kMaxPictureParts];
};

// The composition for an area of width by height pixels.
PictureComposition picture_composition(int32_t width, int32_t height);
// Maps a point of the area to the picture pixel under it, in place, and returns
// the part it went through (-1, and the point left as it is, for an empty
// composition). A point beside every part maps through the nearest one: with the
// whole picture as the one part, beyond the picture as the letterbox always did;
// between parts, to that part's pixel one inside its edge, so that a tap in a gap
// lands on what is shown beside it.
int32_t composition_to_picture(const PictureComposition& c, int32_t* x, int32_t* y);
// The area point at the centre of a picture pixel where it is shown; false when
// no part shows it.
bool composition_to_area(const PictureComposition& c, int32_t* x, int32_t* y);
