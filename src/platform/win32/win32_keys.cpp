// Keys: the game's codes are Windows' own virtual-key codes, so a key passes as
// it is, with the left and right modifier keys and the keypad's Enter folded into
// the codes the game knows, and the keys the game never sees left out.
#include "platform/win32/win32_state.h"

int32_t win_game_key(WPARAM key, LPARAM) {
    switch (key) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU:
        case VK_PROCESSKEY:
        case VK_PACKET:
            return 0;
        default:
            break;
    }
    // Everything with a code of the desktop's key table (1..254).
    return key >= 1 && key <= 254 ? static_cast<int32_t>(key) : 0;
}
