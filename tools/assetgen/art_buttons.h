// The raised slate buttons: the menu bar's faces, their lit highlights, the pause
// and resume buttons, and the quit picture's buttons.
#pragma once

#include <cstdint>

enum ButtonLook : int32_t {
    LOOK_NORMAL,  // slate face, parchment label
    LOOK_LIT,     // glowing gold face under the mouse
    LOOK_ALERT,   // ember face (the pause screen's "PAUSED")
};

enum ButtonIcon : int32_t {
    ICON_NONE,
    ICON_PAUSE,  // two bars
    ICON_PLAY,   // a triangle pointing right
};

// The labels of the menu bar's five buttons, top to bottom.
extern const char* const MENU_LABELS[5];
// Font cell height for all button labels (the largest at which every label fits).
int32_t button_font_cell();

// A dark slate band from x1 to x2 and y1 to y2 with ends pointed `point` pixels
// outward, a dark outline and gold trim lines `trim` pixels inside its top and bottom.
void draw_band(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t point, int32_t trim,
               uint32_t seed);

// A button face filling x..x+w-1, y..y+h-1; the corners outside its rounded
// outline are left as they are.
void draw_button_face(int32_t x, int32_t y, int32_t w, int32_t h, ButtonLook look,
                      const char* label, ButtonIcon icon, int32_t font_cell);
