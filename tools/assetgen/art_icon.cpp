#include "assetgen/art_icon.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/art_shading.h"
#include "assetgen/canvas.h"
#include "assetgen/palette.h"
#include "common/png_write.h"

namespace {

// How many canvas pixels make one icon pixel: the canvas holds 600 rows at most.
int32_t supersampling(int32_t size) {
    int32_t k = 4;
    while (k > 1 && size * k > 600) --k;
    return k;
}

void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int32_t i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

namespace {

// The stone on its dark backing, `art` pixels across, centred on a size x size
// picture; on the dawn sky when `opaque`, else on nothing.
std::vector<uint32_t> render_stone(int32_t size, int32_t art, bool opaque) {
    std::vector<uint32_t> icon;
    if (size <= 0 || art <= 0 || art > size) return icon;
    const int32_t k = supersampling(size);
    const int32_t big = size * k;
    const float art_big = float(art * k);
    art_setup();
    build_art_palette();
    canvas_begin(big, big, PAL_KEY);
    if (opaque) {
        // Night blue at the top to the rose of dawn at the foot, as the game's sky.
        for (int32_t y = 0; y < big; ++y) {
            for (int32_t x = 0; x < big; ++x) {
                put_px(x, y, ramp_shade(RAMP_SKY, 0.05f + 0.5f * float(y) / float(big), x, y));
            }
        }
    }
    // A margin of a sixteenth round the stone (half a pixel at 16), and a dark
    // outline one icon pixel wide, so the stone's edge holds at the small sizes.
    float margin = art_big / 32.0f;
    if (margin < 0.5f * float(k)) margin = 0.5f * float(k);
    const float scale = (art_big - 2.0f * margin) / 50.0f;
    const float centre = float(big) * 0.5f;
    BlobStyle backing;
    backing.power = 3.4f;
    const float radius = 23.8f * scale + float(k) * 0.5f;
    for (int32_t y = 0; y < big; ++y) {
        for (int32_t x = 0; x < big; ++x) {
            if (blob_inside(centre, centre, radius, radius, backing, x, y)) {
                put_px(x, y, PAL_OUTLINE);
            }
        }
    }
    const int32_t origin = static_cast<int32_t>(centre - 24.5f * scale + 0.5f);
    // The sun's edge is widened to most of an icon pixel at the small sizes, so its
    // rays still read there.
    float sun_edge = 0.8f * float(k) / scale;
    if (sun_edge < 1.0f) sun_edge = 1.0f;
    draw_wildcard_at(origin, origin, scale, sun_edge);

    // Area filter: each icon pixel averages its k x k canvas pixels; see-through
    // canvas pixels count towards transparency and not towards the colour.
    icon.assign(static_cast<size_t>(size) * size, 0);
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            uint32_t r = 0, g = 0, b = 0, n = 0;
            for (int32_t j = 0; j < k; ++j) {
                for (int32_t i = 0; i < k; ++i) {
                    uint8_t p = get_px(x * k + i, y * k + j);
                    if (p == PAL_KEY) continue;
                    r += art_palette[p][0];
                    g += art_palette[p][1];
                    b += art_palette[p][2];
                    ++n;
                }
            }
            if (n == 0) continue;
            uint32_t a = (n * 255u + uint32_t(k * k) / 2u) / uint32_t(k * k);
            icon[static_cast<size_t>(y) * size + x] =
                a << 24 | ((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n);
        }
    }
    return icon;
}

}  // namespace

std::vector<uint32_t> render_icon(int32_t size) {
    return render_stone(size, size, false);
}

std::vector<uint8_t> icon_bmp_bytes(const uint32_t* argb, int32_t width, int32_t height) {
    const uint32_t header = 14 + 108;
    const uint32_t image_bytes = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 4u;
    std::vector<uint8_t> out(header + image_bytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, header + image_bytes);
    put32(out, 10, header);
    put32(out, 14, 108);  // BITMAPV4HEADER
    put32(out, 18, static_cast<uint32_t>(width));
    put32(out, 22, static_cast<uint32_t>(height));  // positive: bottom row first
    out[26] = 1;                                    // planes
    out[28] = 32;                                   // bits per pixel
    put32(out, 30, 3);                              // BI_BITFIELDS
    put32(out, 34, image_bytes);
    put32(out, 38, 2835);  // 72 dots per inch
    put32(out, 42, 2835);
    put32(out, 54, 0x00FF0000u);  // red mask
    put32(out, 58, 0x0000FF00u);  // green
    put32(out, 62, 0x000000FFu);  // blue
    put32(out, 66, 0xFF000000u);  // alpha
    put32(out, 70, 0x73524742u);  // LCS_sRGB; end points and gamma stay 0
    for (int32_t row = 0; row < height; ++row) {
        const uint32_t* src = argb + static_cast<size_t>(height - 1 - row) * width;
        for (int32_t x = 0; x < width; ++x) {
            put32(out, header + (static_cast<size_t>(row) * width + x) * 4u, src[x]);
        }
    }
    return out;
}

bool write_game_icons(const char* root) {
    std::error_code error;
    for (int32_t i = 0; i < ICON_SIZE_COUNT; ++i) {
        const int32_t n = ICON_SIZES[i];
        std::string dir = std::string(root) + "/icons/hicolor/" + std::to_string(n) + "x" +
                          std::to_string(n) + "/apps";
        std::filesystem::create_directories(dir, error);
        if (error) return false;
        std::vector<uint32_t> icon = render_icon(n);
        if (!write_png_argb_alpha((dir + "/cairnfall.png").c_str(), icon.data(), n, n)) {
            return false;
        }
    }
    std::string data = std::string(root) + "/data";
    std::filesystem::create_directories(data, error);
    if (error) return false;
    std::vector<uint32_t> icon = render_icon(WINDOW_ICON_SIZE);
    std::vector<uint8_t> bytes = icon_bmp_bytes(icon.data(), WINDOW_ICON_SIZE, WINDOW_ICON_SIZE);
    FILE* file = std::fopen((data + "/icon.bmp").c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

bool write_web_icons(const char* root) {
    std::error_code error;
    const std::string dir = std::string(root) + "/icons/web";
    std::filesystem::create_directories(dir, error);
    if (error) return false;
    for (const WebIcon& w : WEB_ICONS) {
        std::vector<uint32_t> icon = render_stone(w.size, w.size * w.art_percent / 100, w.opaque);
        if (!write_png_argb_alpha((dir + "/" + w.name).c_str(), icon.data(), w.size, w.size)) {
            return false;
        }
    }
    return true;
}
