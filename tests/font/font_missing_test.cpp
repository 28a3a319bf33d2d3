// With no font installed at all, the rasteriser fails cleanly and the 0 handle is
// harmless.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "font_raster/font_raster.h"
#include "platform/platform.h"

namespace {

// Points fontconfig at a configuration whose only font folder does not exist, for
// the life of the object.
class NoFontsInstalled {
  public:
    NoFontsInstalled() {
        const char* previous = std::getenv("FONTCONFIG_FILE");
        had_previous_ = previous != nullptr;
        if (had_previous_) previous_ = previous;
        folder_ = std::filesystem::temp_directory_path() /
                  ("cairnfall-nofonts-" + std::to_string(std::rand()));
        std::filesystem::create_directories(folder_);
        std::filesystem::path conf = folder_ / "fonts.conf";
        std::FILE* f = std::fopen(conf.c_str(), "w");
        if (f != nullptr) {
            std::fprintf(f,
                         "<?xml version=\"1.0\"?>\n<fontconfig><dir>%s/none</dir>"
                         "<cachedir>%s/cache</cachedir></fontconfig>\n",
                         folder_.c_str(), folder_.c_str());
            std::fclose(f);
        }
        setenv("FONTCONFIG_FILE", conf.c_str(), 1);
    }
    ~NoFontsInstalled() {
        if (had_previous_) {
            setenv("FONTCONFIG_FILE", previous_.c_str(), 1);
        } else {
            unsetenv("FONTCONFIG_FILE");
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

  private:
    bool had_previous_ = false;
    std::string previous_;
    std::filesystem::path folder_;
};

TEST(FontMissing, NoFontGivesHandleZeroAndSafeCalls) {
    int32_t font;
    {
        NoFontsInstalled none;
        font = font_raster_open("arial", 28, true, true);
    }
    EXPECT_EQ(font, 0);

    PlatformFontMetrics m = {3, 3, 3, 3};
    platform_font_metrics(font, &m);
    EXPECT_EQ(m.height, 0);
    EXPECT_EQ(platform_font_text_width(font, "Score", 5), 0);
    uint8_t pixels[8 * 8] = {};
    platform_font_draw(font, "Score", 5, 0, 0, 7, pixels, 8, 8, 8);
    for (uint8_t p : pixels) EXPECT_EQ(p, 0);
    platform_font_close(font);

    // Fonts come back once the configuration does.
    font = font_raster_open("arial", 28, true, true);
    EXPECT_GT(font, 0);
    platform_font_close(font);
}

}  // namespace
