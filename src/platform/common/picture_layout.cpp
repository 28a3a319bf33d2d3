// The letterbox and the whole multiple of the picture, the compositions of its
// parts for areas taller than wide, and points mapped both ways.
#include "platform/common/picture_layout.h"

#include <iterator>

#include "platform/platform.h"

namespace {

// Floor of a / b for b > 0, also for negative a.
int64_t floor_divide(int64_t a, int64_t b) {
    int64_t q = a / b;
    return q * b > a ? q - 1 : q;
}

int32_t to_picture(int32_t window, int32_t start, int32_t length, int32_t picture_length) {
    int64_t twice = 2 * (static_cast<int64_t>(window) - start) + 1;
    int64_t mapped = floor_divide(twice * picture_length, 2 * static_cast<int64_t>(length));
    if (mapped < INT32_MIN) return INT32_MIN;
    if (mapped > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(mapped);
}

}  // namespace

PictureLayout picture_layout(int32_t width, int32_t height) {
    PictureLayout layout = {};
    layout.multiple = 1;
    if (width <= 0 || height <= 0) return layout;
    const int64_t w = width, h = height;
    int64_t picture_w = w, picture_h = h;
    if (w * kPictureHeight >= h * kPictureWidth) {
        picture_w = h * kPictureWidth / kPictureHeight;  // wider than 4:3: bars left and right
    } else {
        picture_h = w * kPictureHeight / kPictureWidth;  // taller: bars above and below
    }
    layout.width = static_cast<int32_t>(picture_w);
    layout.height = static_cast<int32_t>(picture_h);
    layout.x = static_cast<int32_t>((w - picture_w) / 2);
    layout.y = static_cast<int32_t>((h - picture_h) / 2);
    // Rounded up: the target is never smaller than the rectangle in either way.
    int64_t multiple = (picture_w + kPictureWidth - 1) / kPictureWidth;
    int64_t down = (picture_h + kPictureHeight - 1) / kPictureHeight;
    if (down > multiple) multiple = down;
    layout.multiple = multiple < 1 ? 1 : static_cast<int32_t>(multiple);
    layout.exact = picture_w == int64_t{kPictureWidth} * layout.multiple &&
                   picture_h == int64_t{kPictureHeight} * layout.multiple;
    return layout;
}

void area_to_picture(const PictureLayout& layout, int32_t* x, int32_t* y) {
    if (layout.width <= 0 || layout.height <= 0) return;
    *x = to_picture(*x, layout.x, layout.width, kPictureWidth);
    *y = to_picture(*y, layout.y, layout.height, kPictureHeight);
}

namespace {

// A part's source in the picture and its place in a shape's own units; a place
// is its source scaled by one factor for the whole shape's menu bar.
struct Place {
    int16_t source_x, source_y, source_width, source_height;
    int16_t x, y, width, height;
};

struct Shape {
    int32_t width, height;
    const Place* places;
    int32_t count;
};

// The menu buttons' rows in the picture; the play field, on top in every
// upright shape at its place's full width.
constexpr int16_t kButtonTop = 296, kButtonPitch = 42;
constexpr Place kField = {200, 0, 600, 600, 0, 0, 600, 600};

constexpr Place kWhole[] = {{0, 0, 800, 600, 0, 0, 800, 600}};

// A phone held upright: the field at the full width; below it the five buttons
// and pause in a column, the title, score and level beside them, all at 1.5
// times the field's scale. Buttons lie 12 units apart, so that a tap 22 CSS px
// from a button's centre still lands on it on a 360-px-wide phone.
constexpr Place button_tall(int16_t i) {
    return {10,  static_cast<int16_t>(kButtonTop + kButtonPitch * i),
            180, 42,
            12,  static_cast<int16_t>(612 + 75 * i),
            270, 63};
}
constexpr Place kTall[] = {
    kField,
    button_tall(0),
    button_tall(1),
    button_tall(2),
    button_tall(3),
    button_tall(4),
    {8, 506, 184, 72, 9, 987, 276, 108},   // pause and the clock
    {0, 0, 200, 112, 300, 612, 300, 168},  // the title
    {0, 148, 200, 64, 300, 792, 300, 96},  // the score
    {0, 226, 200, 60, 300, 900, 300, 90},  // the level
};

// A tablet held upright (about 3:4): the field at the full width, the parts at
// its scale below it in three columns.
constexpr Place button_squat(int16_t i) {
    return {10,
            static_cast<int16_t>(kButtonTop + kButtonPitch * i),
            180,
            42,
            static_cast<int16_t>(i < 3 ? 210 : 410),
            static_cast<int16_t>(606 + 46 * (i % 3)),
            180,
            42};
}
constexpr Place kSquat[] = {
    kField,
    {0, 0, 200, 112, 0, 606, 200, 112},  // the title
    {0, 148, 200, 64, 0, 724, 200, 64},  // the score
    button_squat(0),
    button_squat(1),
    button_squat(2),
    {20, 226, 160, 60, 220, 746, 160, 60},  // the level
    button_squat(3),
    button_squat(4),
    {8, 506, 184, 72, 408, 700, 184, 72},  // pause and the clock
};

constexpr Shape kLandscape = {800, 600, kWhole, 1};
// Upright shapes, the first taken where two give the field the same scale.
constexpr Shape kUpright[] = {{600, 1104, kTall, static_cast<int32_t>(std::size(kTall))},
                              {600, 810, kSquat, static_cast<int32_t>(std::size(kSquat))}};
static_assert(std::size(kTall) <= kMaxPictureParts && std::size(kSquat) <= kMaxPictureParts,
              "a composition holds every part of its shape");

// The scale num / den at which a shape fits an area.
void fit(const Shape& s, int64_t w, int64_t h, int64_t* num, int64_t* den) {
    if (w * s.height <= h * s.width) {
        *num = w;
        *den = s.width;
    } else {
        *num = h;
        *den = s.height;
    }
}

void set_multiple(PicturePart* p) {
    int64_t multiple = (int64_t{p->width} + p->source_width - 1) / p->source_width;
    int64_t down = (int64_t{p->height} + p->source_height - 1) / p->source_height;
    if (down > multiple) multiple = down;
    p->multiple = multiple < 1 ? 1 : static_cast<int32_t>(multiple);
    p->exact =
        p->width == p->source_width * p->multiple && p->height == p->source_height * p->multiple;
}

int64_t miss_squared(const PicturePart& p, int32_t x, int32_t y) {
    int64_t dx = x < p.x              ? int64_t{p.x} - x
                 : x >= p.x + p.width ? int64_t{x} - (p.x + p.width) + 1
                                      : 0;
    int64_t dy = y < p.y               ? int64_t{p.y} - y
                 : y >= p.y + p.height ? int64_t{y} - (p.y + p.height) + 1
                                       : 0;
    return dx * dx + dy * dy;
}

int32_t clamp(int32_t v, int32_t low, int32_t high) {
    return v < low ? low : v > high ? high : v;
}

}  // namespace

PictureComposition picture_composition(int32_t width, int32_t height) {
    PictureComposition c = {};
    if (width <= 0 || height <= 0) return c;
    const int64_t w = width, h = height;
    const Shape* shape = &kLandscape;
    int64_t num = 0, den = 1;
    fit(*shape, w, h, &num, &den);
    if (h > w) {
        shape = nullptr;
        for (const Shape& s : kUpright) {
            int64_t n = 0, d = 1;
            fit(s, w, h, &n, &d);
            if (shape == nullptr || n * den > num * d) {
                shape = &s;
                num = n;
                den = d;
            }
        }
    }
    const int64_t left = (w - shape->width * num / den) / 2;
    const int64_t top = (h - shape->height * num / den) / 2;
    c.count = shape->count;
    for (int32_t i = 0; i < shape->count; ++i) {
        const Place& s = shape->places[i];
        PicturePart& p = c.parts[i];
        p.source_x = s.source_x;
        p.source_y = s.source_y;
        p.source_width = s.source_width;
        p.source_height = s.source_height;
        p.x = static_cast<int32_t>(left + s.x * num / den);
        p.y = static_cast<int32_t>(top + s.y * num / den);
        p.width = static_cast<int32_t>(left + (s.x + s.width) * num / den) - p.x;
        p.height = static_cast<int32_t>(top + (s.y + s.height) * num / den) - p.y;
        set_multiple(&p);
    }
    return c;
}

int32_t composition_to_picture(const PictureComposition& c, int32_t* x, int32_t* y) {
    int32_t best = -1;
    int64_t best_miss = 0;
    for (int32_t i = 0; i < c.count; ++i) {
        if (c.parts[i].width <= 0 || c.parts[i].height <= 0) continue;
        int64_t miss = miss_squared(c.parts[i], *x, *y);
        if (best < 0 || miss < best_miss) {
            best = i;
            best_miss = miss;
        }
    }
    if (best < 0) return -1;
    const PicturePart& p = c.parts[best];
    int32_t px = to_picture(*x, p.x, p.width, p.source_width);
    int32_t py = to_picture(*y, p.y, p.height, p.source_height);
    if (c.count > 1) {
        // A part's edge pixels are shared with what lies beyond it in the picture:
        // kept one inside, a point lands on what the part shows.
        px = clamp(px, 1, p.source_width - 2) + p.source_x;
        py = clamp(py, 1, p.source_height - 2) + p.source_y;
    } else {
        px += p.source_x;
        py += p.source_y;
    }
    *x = px;
    *y = py;
    return best;
}

bool composition_to_area(const PictureComposition& c, int32_t* x, int32_t* y) {
    for (int32_t i = 0; i < c.count; ++i) {
        const PicturePart& p = c.parts[i];
        int32_t dx = *x - p.source_x, dy = *y - p.source_y;
        if (dx < 0 || dy < 0 || dx >= p.source_width || dy >= p.source_height) continue;
        *x = static_cast<int32_t>(p.x + (2 * int64_t{dx} + 1) * p.width / (2 * p.source_width));
        *y = static_cast<int32_t>(p.y + (2 * int64_t{dy} + 1) * p.height / (2 * p.source_height));
        return true;
    }
    return false;
}
