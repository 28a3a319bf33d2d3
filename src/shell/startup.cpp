// Start-up and shutdown: everything the program needs is prepared once when the
// window opens and released once when it closes.
#include <cstdio>

#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/platform.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/handles.h"
#include "runtime/main_loop.h"
#include "screens/screens.h"
#include "shell/error_message.h"
#include "shell/program.h"
#include "sound/sound.h"

const char* const MSG_CANNOT_SET_DESKTOP = "Cannot set 800x600 desktop";
const char* const MSG_CHANGE_DESKTOP =
    "Change to 800x600 desktop. Go to desktop properties to change then run this game.";

namespace {

// Shows a start-up error and ends the program before anything else is set up.
void refuse_display(const char* message) {
    show_error_message(message);
    exit_status = 1;
    destroy_main_window();
}

// Loads every picture, from the bytes the data check read; false (with the file
// named) when the loader refuses one, rather than letting it show the previous
// picture's pixels.
bool load_catalogue() {
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        const CatalogueEntry& e = catalogue_entry(i);
        CheckedPicture read = {nullptr, 0, false};
        checked_picture(i, &read);
        int32_t result = load_asset(e.pixels, e.file, e.width, e.height, read.bytes, read.length);
        if (result != LOAD_OK) {
            char name[4096 + 64];
            platform_shown_path(name, sizeof name, game_folder, e.file);
            char text[sizeof name + 128];
            std::snprintf(text, sizeof text,
                          "Cairnfall cannot start: a game file is damaged (the picture loader "
                          "refused it).\n%s\n%s",
                          name, MSG_REINSTALL);
            refuse_display(text);
            return false;
        }
        if (e.colour_key) {
            remap_colour_key(e.pixels, e.width, e.height, COLOUR_KEY, COLOUR_KEY_OUTLINE);
        }
    }
    return true;
}

}  // namespace

void startup() {
    load_high_scores();
    load_profile();
    main_window = 1;
    window_dc = GFX_WINDOW_DC;
    gfx_set_window_dc(window_dc);
    game_palette = gfx_create_palette();
    gfx_select_palette(game_palette);
    platform_show_window();

    if (gfx_test_mode(800, 600, gfx_color_depth()) != 0) {
        refuse_display(MSG_CANNOT_SET_DESKTOP);
        return;
    }
    if (gfx_set_mode(800, 600, gfx_color_depth(), 1) == DISP_CHANGE_RESTART) {
        refuse_display(MSG_CHANGE_DESKTOP);
        return;
    }

    snd_load_all(profile.music_level, profile.effects_level);

    gfx_init();
    gfx_set_box_border(2, 2);
    gfx_set_text_dc(gfx_memory_dc());
    active_buffer = gfx_create_buffer(800, 600);
    backdrop_buffer = gfx_create_buffer(800, 600);
    gfx_set_buffer(active_buffer);
    gfx_update_color_table();

    game_font =
        platform_font_open(GAME_FONT_FACE, GAME_FONT_HEIGHT, GAME_FONT_BOLD, GAME_FONT_ITALIC);
    if (game_font) gfx_set_font(game_font);

    gfx_move(0, 0);
    bool loaded = load_catalogue();
    reset_checked_pictures();
    if (!loaded) return;
    clear_hover();

    arm_tick(16);
    set_screen_timer(2000);

    gfx_init_mouse();
    gfx_set_cursor_size(32);
    game_cursor = gfx_create_cursor(cursor_pattern, 0, 0);
    gfx_set_cursor(game_cursor);

    enter_intro();
}
