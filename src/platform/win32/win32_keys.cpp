// Keys: the game's codes are Windows' own virtual-key codes. The game sees the
// keys of the desktop's key table (letters, digits, F1 to F24, the keypad, and
// the editing, arrow and punctuation keys), the same codes the other desktops
// give, so that a session recorded on one replays on the other; the left and
// right modifier keys fold into one code, as there.
#include "platform/win32/win32_state.h"

namespace {

// The other keys of the desktop's table, by their virtual-key codes.
constexpr uint8_t kOtherKeys[] = {
    VK_BACK,    VK_TAB,    VK_RETURN,   VK_SHIFT,    VK_CONTROL,   VK_PAUSE,     VK_CAPITAL,
    VK_ESCAPE,  VK_SPACE,  VK_PRIOR,    VK_NEXT,     VK_END,       VK_HOME,      VK_LEFT,
    VK_UP,      VK_RIGHT,  VK_DOWN,     VK_SNAPSHOT, VK_INSERT,    VK_DELETE,    VK_LWIN,
    VK_RWIN,    VK_APPS,   VK_MULTIPLY, VK_ADD,      VK_SUBTRACT,  VK_DECIMAL,   VK_DIVIDE,
    VK_NUMLOCK, VK_SCROLL, VK_OEM_1,    VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD,
    VK_OEM_2,   VK_OEM_3,  VK_OEM_4,    VK_OEM_5,    VK_OEM_6,     VK_OEM_7,
};

}  // namespace

int32_t win_game_key(WPARAM key, LPARAM) {
    if (key == VK_LSHIFT || key == VK_RSHIFT) return VK_SHIFT;
    if (key == VK_LCONTROL || key == VK_RCONTROL) return VK_CONTROL;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<int32_t>(key);
    if (key >= VK_F1 && key <= VK_F24) return static_cast<int32_t>(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<int32_t>(key);
    for (uint8_t other : kOtherKeys) {
        if (other == key) return other;
    }
    return 0;
}
