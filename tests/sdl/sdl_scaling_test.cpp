// Scaling the picture to the window with SDL's software renderer: where the
// picture lies, how mouse points map back to it, crisp and nearest scaling read
// back pixel by pixel.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"
#include "sdl_window_fixture.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

class SdlScaling : public SdlWindowTest {
  protected:
    void SetUp() override { open_window(true); }

    // Pushes an SDL event for the backend, after a drain: SDL's poll stops once at
    // the end of what one pump brought in, and an event pushed after that end
    // would only arrive on the poll after next.
    static void push(SDL_Event e) {
        drain();
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }

    // A window of exactly width by height pixels.
    static void window_size(int32_t width, int32_t height) {
        SDL_SetWindowSize(sdl_display.window, width, height);
        drain();
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(sdl_display.renderer, &w, &h);
        ASSERT_EQ(w, width);
        ASSERT_EQ(h, height);
    }

    // Presents the picture and reads the whole output back as ARGB8888.
    static std::vector<uint32_t> shown(const std::vector<uint32_t>& picture) {
        platform_present(picture.data(), true);
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(sdl_display.renderer, &w, &h);
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
        EXPECT_EQ(SDL_RenderReadPixels(sdl_display.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                       pixels.data(), w * 4),
                  0)
            << SDL_GetError();
        return pixels;
    }

    static std::vector<uint32_t> checkerboard() {
        std::vector<uint32_t> picture(800 * 600);
        for (int32_t y = 0; y < 600; ++y) {
            for (int32_t x = 0; x < 800; ++x) picture[y * 800 + x] = (x + y) % 2 ? kBlack : kWhite;
        }
        return picture;
    }

    // The width of every white picture column of one output row, in output pixels
    // weighted by brightness: each white column owns the output pixels whose centres
    // lie within half a picture pixel of it (its black neighbours are shared out).
    // Returns the spread between the narrowest and the widest.
    static double column_width_spread(const std::vector<uint32_t>& pixels, int32_t width,
                                      int32_t row, const SDL_Rect& picture) {
        std::vector<double> widths(800, 0.0);
        for (int32_t i = picture.x; i < picture.x + picture.w; ++i) {
            double u = (i - picture.x + 0.5) * 800.0 / picture.w;  // picture units
            int32_t picture_row = (row - picture.y) * 600 / picture.h;
            // The white column whose window [p - 0.5, p + 1.5) holds u.
            int32_t p = static_cast<int32_t>(u + 0.5);
            if ((p + picture_row) % 2 != 0) --p;
            if (p < 0 || p >= 800) continue;
            uint32_t red = (pixels[static_cast<size_t>(row) * width + i] >> 16) & 0xFF;
            widths[p] += red / 255.0;
        }
        double narrowest = 1e9, widest = 0;
        // The outermost columns are cut by the picture's edges.
        for (int32_t p = 2; p < 798; ++p) {
            if (widths[p] == 0.0) continue;
            narrowest = widths[p] < narrowest ? widths[p] : narrowest;
            widest = widths[p] > widest ? widths[p] : widest;
        }
        return widest - narrowest;
    }

    // Black and white stripes seven picture pixels wide: a one-pixel step edge
    // every seven columns, each at another phase of a non-integer scale.
    static std::vector<uint32_t> stripes() {
        std::vector<uint32_t> picture(800 * 600);
        for (int32_t y = 0; y < 600; ++y) {
            for (int32_t x = 0; x < 800; ++x) picture[y * 800 + x] = x / 7 % 2 ? kWhite : kBlack;
        }
        return picture;
    }

    // The blur of the stripes' edges along one output row: the mean number of
    // output pixels per edge that show neither side's colour (more than 2% from
    // both). Plain nearest gives 0; a linear stretch by 1.8 about 1.8.
    static double blur_per_edge(const std::vector<uint32_t>& pixels, int32_t width, int32_t row,
                                const SDL_Rect& picture) {
        int32_t mixed = 0;
        for (int32_t i = picture.x; i < picture.x + picture.w; ++i) {
            uint32_t red = (pixels[static_cast<size_t>(row) * width + i] >> 16) & 0xFF;
            if (red > 5 && red < 250) ++mixed;
        }
        return mixed / (799.0 / 7);  // edges at columns 7, 14, ... 798
    }
};

struct LayoutCase {
    int32_t width, height;
    PictureLayout layout;
};

TEST(PictureLayout, PictureKeepsItsProportionsAndTheNextWholeMultiple) {
    const LayoutCase cases[] = {
        {1920, 1080, {240, 0, 1440, 1080, 2, false}}, {1440, 1080, {0, 0, 1440, 1080, 2, false}},
        {1024, 768, {0, 0, 1024, 768, 2, false}},     {800, 600, {0, 0, 800, 600, 1, true}},
        {1600, 1200, {0, 0, 1600, 1200, 2, true}},    {1920, 1440, {0, 0, 1920, 1440, 3, false}},
        {2560, 1440, {320, 0, 1920, 1440, 3, false}}, {3840, 2160, {480, 0, 2880, 2160, 4, false}},
        {1280, 1024, {0, 32, 1280, 960, 2, false}},   {1366, 768, {171, 0, 1024, 768, 2, false}},
        {1601, 1200, {0, 0, 1600, 1200, 2, true}},    {1700, 1200, {50, 0, 1600, 1200, 2, true}},
        {1604, 1203, {0, 0, 1604, 1203, 3, false}},   {2400, 1800, {0, 0, 2400, 1800, 3, true}},
        {640, 480, {0, 0, 640, 480, 1, false}},       {792, 573, {14, 0, 764, 573, 1, false}},
        {600, 800, {0, 175, 600, 450, 1, false}},     {0, 0, {0, 0, 0, 0, 1, false}},
    };
    for (const LayoutCase& c : cases) {
        const PictureLayout got = picture_layout(c.width, c.height);
        const PictureLayout& want = c.layout;
        EXPECT_EQ(got.x, want.x) << c.width << "x" << c.height;
        EXPECT_EQ(got.y, want.y) << c.width << "x" << c.height;
        EXPECT_EQ(got.width, want.width) << c.width << "x" << c.height;
        EXPECT_EQ(got.height, want.height) << c.width << "x" << c.height;
        EXPECT_EQ(got.multiple, want.multiple) << c.width << "x" << c.height;
        EXPECT_EQ(got.exact, want.exact) << c.width << "x" << c.height;
    }
}

// Every composition, through the shapes of screen: the parts stay inside the
// area, apart, scaled alike both ways; each part's corner and edge pixels map to
// the area and back, and points beside a part come back to it (one inside its
// edge when there are several parts).
TEST(PictureComposition, PointsMapBothWaysAtTheEdgesOfEveryPart) {
    struct Case {
        int32_t width, height;
        int32_t parts;
        int32_t field_width;  // the play field's width in the area
    };
    const Case cases[] = {
        {1170, 2376, 10, 1170}, {1080, 2220, 10, 1080}, {1290, 2640, 10, 1290},  // phones upright
        {2304, 2916, 10, 2160}, {600, 800, 10, 592},                             // tablet, window
        {2532, 1170, 1, 1170},  {1024, 768, 1, 768},    {800, 600, 1, 600},      // sideways
    };
    for (const Case& c : cases) {
        const PictureComposition got = picture_composition(c.width, c.height);
        ASSERT_EQ(got.count, c.parts) << c.width << "x" << c.height;
        for (int32_t i = 0; i < got.count; ++i) {
            const PicturePart& p = got.parts[i];
            SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " part " << i);
            if (p.source_x == 200 && p.source_width == 600) {
                EXPECT_EQ(p.width, c.field_width);
            }
            EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + p.width <= c.width &&
                        p.y + p.height <= c.height);
            // One scale both ways, to a pixel.
            EXPECT_LE(
                std::abs(int64_t{p.width} * p.source_height - int64_t{p.height} * p.source_width),
                int64_t{p.source_width} + p.source_height);
            for (int32_t j = 0; j < i; ++j) {
                const PicturePart& q = got.parts[j];
                EXPECT_TRUE(p.x >= q.x + q.width || q.x >= p.x + p.width || p.y >= q.y + q.height ||
                            q.y >= p.y + p.height)
                    << "places of parts " << j << " and " << i << " overlap";
            }
            const int32_t inset = got.count > 1 ? 1 : 0;
            const int32_t xs[] = {p.source_x, p.source_x + 1, p.source_x + p.source_width / 2,
                                  p.source_x + p.source_width - 1};
            const int32_t ys[] = {p.source_y, p.source_y + 1, p.source_y + p.source_height / 2,
                                  p.source_y + p.source_height - 1};
            for (int32_t px : xs) {
                for (int32_t py : ys) {
                    int32_t x = px, y = py;
                    ASSERT_TRUE(composition_to_area(got, &x, &y)) << px << "," << py;
                    EXPECT_TRUE(x >= p.x && x < p.x + p.width && y >= p.y && y < p.y + p.height);
                    EXPECT_EQ(composition_to_picture(got, &x, &y), i);
                    int32_t want_x =
                        std::clamp(px, p.source_x + inset, p.source_x + p.source_width - 1 - inset);
                    int32_t want_y = std::clamp(py, p.source_y + inset,
                                                p.source_y + p.source_height - 1 - inset);
                    EXPECT_EQ(x, want_x) << "from " << px << "," << py;
                    EXPECT_EQ(y, want_y) << "from " << px << "," << py;
                }
            }
            // The area's points at the place's corners and just outside them.
            const int32_t corners[][2] = {{p.x, p.y}, {p.x + p.width - 1, p.y + p.height - 1}};
            for (const auto& corner : corners) {
                int32_t x = corner[0], y = corner[1];
                EXPECT_EQ(composition_to_picture(got, &x, &y), i);
                EXPECT_TRUE(x >= p.source_x && x < p.source_x + p.source_width && y >= p.source_y &&
                            y < p.source_y + p.source_height);
            }
            if (got.count > 1) {
                int32_t x = p.x + p.width / 2, y = p.y - 1;
                int32_t part = composition_to_picture(got, &x, &y);
                if (part == i) {
                    EXPECT_EQ(y, p.source_y + 1);
                }
                x = p.x + p.width / 2;
                y = p.y + p.height;
                part = composition_to_picture(got, &x, &y);
                if (part == i) {
                    EXPECT_EQ(y, p.source_y + p.source_height - 2);
                }
            }
        }
    }
    // A picture pixel no part shows (between the title and the score).
    PictureComposition upright = picture_composition(1170, 2376);
    int32_t x = 100, y = 130;
    EXPECT_FALSE(composition_to_area(upright, &x, &y));
    // Sideways, points on the bars map outside the picture, as before.
    PictureComposition sideways = picture_composition(1920, 1080);
    x = 0;
    y = 0;
    EXPECT_EQ(composition_to_picture(sideways, &x, &y), 0);
    EXPECT_EQ(x, -134);
    EXPECT_TRUE(picture_composition(0, 5).count == 0);
}

struct MouseCase {
    int32_t width, height;  // the window
    int32_t x, y;           // a window point
    int32_t picture_x, picture_y;
};

TEST_F(SdlScaling, MousePointsMapToThePicturePixelShownUnderThem) {
    const MouseCase cases[] = {
        // 1.8 times with bars of 240 on the left and right.
        {1920, 1080, 960, 540, 400, 300},
        {1920, 1080, 240, 0, 0, 0},
        {1920, 1080, 239, 0, -1, 0},
        {1920, 1080, 1679, 1079, 799, 599},
        {1920, 1080, 1680, 1079, 800, 599},
        {1920, 1080, 0, 0, -134, 0},
        {1920, 1080, 100, 27, -78, 15},
        {1920, 1080, 1919, 500, 933, 278},
        // 1.28 times, no bars.
        {1024, 768, 0, 0, 0, 0},
        {1024, 768, 1023, 767, 799, 599},
        {1024, 768, 512, 384, 400, 300},
        // Bars above and below.
        {1280, 1024, 640, 31, 400, -1},
        {1280, 1024, 640, 32, 400, 0},
        {1280, 1024, 640, 991, 400, 599},
        {1280, 1024, 640, 992, 400, 600},
        // Upright: the play field on top, New game below it at 1.5 times; a point
        // in the gap between them lands one inside the nearer, the button.
        {600, 1104, 300, 300, 500, 300},
        {600, 1104, 147, 643, 100, 317},
        {600, 1104, 147, 606, 100, 297},
        // The picture's own size: points pass unchanged, signs kept.
        {800, 600, -5, 650, -5, 650},
        {800, 600, 412, -1, 412, -1},
    };
    for (const MouseCase& c : cases) {
        window_size(c.width, c.height);
        SDL_Event e = {};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = c.x;
        e.motion.y = c.y;
        push(e);
        PlatformEvent event = {};
        ASSERT_TRUE(platform_poll_event(&event));
        EXPECT_EQ(event.type, PEV_MOUSE_MOVE);
        EXPECT_EQ(event.x, c.picture_x) << c.width << "x" << c.height << " " << c.x << "," << c.y;
        EXPECT_EQ(event.y, c.picture_y) << c.width << "x" << c.height << " " << c.x << "," << c.y;

        e = {};
        e.type = SDL_MOUSEBUTTONUP;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.x = c.x;
        e.button.y = c.y;
        push(e);
        ASSERT_TRUE(platform_poll_event(&event));
        EXPECT_EQ(event.type, PEV_LBUTTON_UP);
        EXPECT_EQ(event.x, c.picture_x);
        EXPECT_EQ(event.y, c.picture_y);
    }
}

// The game sees the same clicks whichever way the window is held: a picture
// point's place in each composition maps back to that point.
TEST_F(SdlScaling, ClicksReachTheGameAlikeInEitherHold) {
    const int32_t windows[][2] = {{600, 1104}, {768, 1000}, {1024, 768}, {1200, 2400}};
    const int32_t points[][2] = {{100, 317}, {100, 485}, {100, 527}, {45, 32},   {100, 190},
                                 {400, 400}, {599, 224}, {396, 216}, {582, 216}, {330, 539}};
    for (const auto& w : windows) {
        window_size(w[0], w[1]);
        const PictureComposition composition = picture_composition(w[0], w[1]);
        for (const auto& point : points) {
            int32_t x = point[0], y = point[1];
            ASSERT_TRUE(composition_to_area(composition, &x, &y));
            SDL_Event e = {};
            e.type = SDL_MOUSEBUTTONUP;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.x = x;
            e.button.y = y;
            push(e);
            PlatformEvent event = {};
            ASSERT_TRUE(platform_poll_event(&event));
            EXPECT_EQ(event.x, point[0]) << w[0] << "x" << w[1];
            EXPECT_EQ(event.y, point[1]) << w[0] << "x" << w[1];
        }
    }
}

// Crisp scaling at 1.8 times: every column of a one-pixel checkerboard covers the
// same width (nearest alone gives columns of one and two pixels in turn).
TEST_F(SdlScaling, CrispColumnsOfACheckerboardHaveEqualWidths) {
    window_size(1440, 1080);
    std::vector<uint32_t> pixels = shown(checkerboard());
    const SDL_Rect picture = {0, 0, 1440, 1080};
    // Rows whose centres fall on a picture row's centre: no blend with the rows
    // above and below, whose checks are the other way round.
    for (int32_t row : {4, 544, 1003}) {
        EXPECT_LT(column_width_spread(pixels, 1440, row, picture), 0.5) << row;
    }
}

// The same at 1.8 times: drawn at twice the size and shrunk, a one-pixel step
// edge blurs over less than one screen pixel (a linear stretch: almost two).
TEST_F(SdlScaling, CrispEdgesBlurLessThanOneScreenPixel) {
    window_size(1440, 1080);
    std::vector<uint32_t> pixels = shown(stripes());
    const SDL_Rect picture = {0, 0, 1440, 1080};
    for (int32_t row : {0, 541, 1079}) {
        double blur = blur_per_edge(pixels, 1440, row, picture);
        EXPECT_LE(blur, 1.0) << row;
        EXPECT_GT(blur, 0.5) << row;  // it is filtered, not plain nearest
    }
}

struct TargetCase {
    int32_t multiple, max_width, max_height;
    int32_t target;
};

// The crisp target never outgrows the renderer's largest texture.
TEST(SdlScalingTarget, TheTargetMultipleFitsTheLargestTexture) {
    const TargetCase cases[] = {
        {2, 0, 0, 2},       {4, 16384, 16384, 4}, {3, 2048, 2048, 2},
        {2, 4096, 1000, 1}, {2, 1000, 1000, 1},   {1, 0, 0, 1},
    };
    for (const TargetCase& c : cases) {
        EXPECT_EQ(sdl_target_multiple(c.multiple, c.max_width, c.max_height), c.target)
            << c.multiple << " " << c.max_width << "x" << c.max_height;
    }
}

TEST_F(SdlScaling, NearestScalingStillGivesPlainNearest) {
    platform_set_nearest_scaling(true);
    window_size(1440, 1080);
    std::vector<uint32_t> picture = checkerboard();
    std::vector<uint32_t> pixels = shown(picture);
    // Only the picture's own colours, each output pixel the picture pixel that the
    // mouse maps it to, and so columns of one and two pixels.
    for (int32_t y = 0; y < 1080; ++y) {
        for (int32_t x = 0; x < 1440; ++x) {
            int32_t px = x, py = y;
            sdl_window_to_picture(&px, &py);
            ASSERT_EQ(pixels[static_cast<size_t>(y) * 1440 + x], picture[py * 800 + px])
                << x << "," << y;
        }
    }
    const SDL_Rect whole = {0, 0, 1440, 1080};
    EXPECT_NEAR(column_width_spread(pixels, 1440, 541, whole), 1.0, 1e-9);
    EXPECT_EQ(blur_per_edge(shown(stripes()), 1440, 541, whole), 0.0);

    // Switched back at run time, the next presentation is crisp again.
    platform_set_nearest_scaling(false);
    pixels = shown(picture);
    EXPECT_LT(column_width_spread(pixels, 1440, 544, whole), 0.5);
}

// At an exact integer scale crisp scaling is plain nearest: whole 2x2 blocks.
TEST_F(SdlScaling, ExactMultipleIsPlainNearest) {
    window_size(1600, 1200);
    std::vector<uint32_t> picture = checkerboard();
    picture[123 * 800 + 456] = 0xFF3366CCu;
    std::vector<uint32_t> pixels = shown(picture);
    for (int32_t y = 0; y < 1200; ++y) {
        for (int32_t x = 0; x < 1600; ++x) {
            ASSERT_EQ(pixels[static_cast<size_t>(y) * 1600 + x], picture[y / 2 * 800 + x / 2])
                << x << "," << y;
        }
    }
}

// The bars stay black, the picture's edges reach them, and the whole-multiple
// target follows the window's size without being remade for every frame.
TEST_F(SdlScaling, LetterboxStaysBlackAndTheTargetFollowsTheSize) {
    std::vector<uint32_t> picture(800 * 600, kWhite);
    window_size(1920, 1080);
    std::vector<uint32_t> pixels = shown(picture);
    for (int32_t y : {0, 540, 1079}) {
        const uint32_t* row = &pixels[static_cast<size_t>(y) * 1920];
        EXPECT_EQ(row[0], kBlack);
        EXPECT_EQ(row[239], kBlack) << y;
        EXPECT_EQ(row[240], kWhite) << y;
        EXPECT_EQ(row[1679], kWhite) << y;
        EXPECT_EQ(row[1680], kBlack) << y;
        EXPECT_EQ(row[1919], kBlack);
    }
    EXPECT_EQ(sdl_display.scaler.width, 1600);
    EXPECT_EQ(sdl_display.scaler.height, 1200);

    window_size(2560, 1440);
    pixels = shown(picture);
    EXPECT_EQ(sdl_display.scaler.width, 2400);
    EXPECT_EQ(sdl_display.scaler.height, 1800);
    SDL_Texture* target = sdl_display.scaler.target;
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(pixels[static_cast<size_t>(720) * 2560 + 319], kBlack);
    EXPECT_EQ(pixels[static_cast<size_t>(720) * 2560 + 320], kWhite);
    EXPECT_EQ(pixels[static_cast<size_t>(720) * 2560 + 2239], kWhite);
    EXPECT_EQ(pixels[static_cast<size_t>(720) * 2560 + 2240], kBlack);
    shown(picture);
    EXPECT_EQ(sdl_display.scaler.target, target);

    // A lost device: the textures are made again, and so is the target.
    SDL_Event e = {};
    e.type = SDL_RENDER_DEVICE_RESET;
    push(e);
    PlatformEvent event = {};
    ASSERT_TRUE(platform_poll_event(&event));
    EXPECT_EQ(event.type, PEV_EXPOSE);
    EXPECT_EQ(sdl_display.scaler.target, nullptr);
    pixels = shown(picture);
    EXPECT_NE(sdl_display.scaler.target, nullptr);
    EXPECT_EQ(pixels[static_cast<size_t>(720) * 2560 + 1280], kWhite);

    // Full screen and back by Alt+Enter: the window keeps its size.
    window_size(1000, 700);
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_RETURN;
    key.key.keysym.mod = KMOD_LALT;
    push(key);
    drain();
    ASSERT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    push(key);
    drain();
    pixels = shown(picture);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(sdl_display.renderer, &w, &h);
    EXPECT_EQ(w, 1000);
    EXPECT_EQ(h, 700);
    EXPECT_EQ(pixels[0], kBlack);
    EXPECT_EQ(pixels[350 * 1000 + 500], kWhite);
}

}  // namespace
