// The window's messages in the game's terms. The window procedure turns them into
// the game's events in a small queue; polling and waiting pump the message queue
// and hand the events out. Alt combinations stay with the system: Alt+Enter
// switches full screen, Alt+F4 closes, the rest never reach the game.
#include <windowsx.h>

#include "platform/device.h"
#include "platform/platform.h"
#include "platform/win32/win32_state.h"

namespace {

// The character a key types in the keyboard's layout, for watching's keys ("<"
// and ">" among them); 0 when it types none that is printable. The keyboard's
// dead-key state is left as it was (flag 4).
int32_t typed_character(WPARAM wparam, LPARAM lparam) {
    BYTE state[256];
    if (!GetKeyboardState(state)) return 0;
    WCHAR typed[4];
    int count = ToUnicode(static_cast<UINT>(wparam), static_cast<UINT>((lparam >> 16) & 0xff),
                          state, typed, 4, 4);
    return count == 1 && typed[0] > 32 && typed[0] < 127 ? typed[0] : 0;
}

constexpr int32_t kQueueSize = 256;

struct Queue {
    PlatformEvent events[kQueueSize];
    int32_t first;
    int32_t count;
};

Queue queue = {};

bool take_event(PlatformEvent* event) {
    if (queue.count == 0) return false;
    *event = queue.events[queue.first];
    queue.first = (queue.first + 1) % kQueueSize;
    --queue.count;
    return true;
}

// The last queued event, when it is a mouse move: a newer move replaces it, so
// the game sees where the pointer went, once per look.
PlatformEvent* last_move() {
    if (queue.count == 0) return nullptr;
    PlatformEvent* last = &queue.events[(queue.first + queue.count - 1) % kQueueSize];
    return last->type == PEV_MOUSE_MOVE ? last : nullptr;
}

void push_mouse(int32_t type, LPARAM lparam) {
    PlatformEvent event = {type, 0, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    win_client_to_picture(&event.x, &event.y);
    PlatformEvent* previous = type == PEV_MOUSE_MOVE ? last_move() : nullptr;
    if (previous != nullptr) {
        *previous = event;
    } else {
        win_push_event(event);
    }
}

void expose() {
    win_display.redraw_pending = true;
    win_push_event({PEV_EXPOSE, 0, 0, 0});
}

void pump_messages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            win_push_event({PEV_CLOSE, 0, 0, 0});
            continue;
        }
        // No TranslateMessage: the game reads keys, not typed characters.
        DispatchMessageW(&message);
    }
}

}  // namespace

void win_push_event(const PlatformEvent& event) {
    if (queue.count == kQueueSize) return;  // a game that stopped looking: the newest go
    queue.events[(queue.first + queue.count) % kQueueSize] = event;
    ++queue.count;
}

LRESULT CALLBACK win_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            bool alt = (lparam & (1 << 29)) != 0;
            bool repeat = (lparam & (1 << 30)) != 0;
            if (alt) {
                if (wparam == VK_RETURN && !repeat) win_toggle_fullscreen();
                if (wparam == VK_F4 && !repeat) win_push_event({PEV_CLOSE, 0, 0, 0});
                return 0;
            }
            int32_t key = win_game_key(wparam, lparam);
            if (key != 0) win_push_event({PEV_KEY_DOWN, key, typed_character(wparam, lparam), 0});
            return 0;
        }
        case WM_SYSCHAR:
            return 0;  // no beep for an Alt combination the game does not take
        case WM_SYSCOMMAND:
            // Alt alone would open the window menu and keep the next keys from
            // the game.
            if ((wparam & 0xFFF0) == SC_KEYMENU) return 0;
            break;
        case WM_MOUSEMOVE:
            push_mouse(PEV_MOUSE_MOVE, lparam);
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(window);
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            push_mouse(PEV_LBUTTON_UP, lparam);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lparam) == HTCLIENT) {
                POINT point;
                GetCursorPos(&point);
                ScreenToClient(window, &point);
                int32_t x = point.x, y = point.y;
                win_client_to_picture(&x, &y);
                if (win_set_cursor(x, y)) return TRUE;
            }
            break;
        case WM_SETFOCUS:
            win_push_event({PEV_FOCUS_GAINED, 0, 0, 0});
            return 0;
        case WM_KILLFOCUS:
            win_pads_let_go();
            win_push_event({PEV_FOCUS_LOST, 0, 0, 0});
            return 0;
        case WM_SIZE:
            if (wparam == SIZE_MINIMIZED) {
                win_pads_let_go();
                win_push_event({PEV_FOCUS_LOST, 0, 0, 0});
            } else {
                expose();
            }
            return 0;
        case WM_GETMINMAXINFO: {
            RECT smallest = {0, 0, kSmallestWindowWidth, kSmallestWindowHeight};
            AdjustWindowRectEx(&smallest, WS_OVERLAPPEDWINDOW, FALSE, 0);
            MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lparam);
            limits->ptMinTrackSize = {smallest.right - smallest.left,
                                      smallest.bottom - smallest.top};
            return 0;
        }
        case WM_DPICHANGED: {
            // Per-monitor DPI: the window takes the size Windows suggests.
            const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the picture covers the whole client area
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (win_display.client != nullptr) win_blit(dc);
            EndPaint(window, &paint);
            expose();
            return 0;
        }
        case WM_CLOSE:
            win_push_event({PEV_CLOSE, 0, 0, 0});
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

bool device_poll_event(PlatformEvent* event) {
    if (event == nullptr) return false;
    if (win_display.window != nullptr) pump_messages();
    if (take_event(event)) return true;
    return win_pad_event(event);
}

bool device_wait_event(PlatformEvent* event, uint32_t timeout_ms) {
    if (event == nullptr || win_display.window == nullptr) {
        device_sleep_ms(timeout_ms);
        return false;
    }
    const uint32_t start = device_ticks_ms();
    for (;;) {
        if (device_poll_event(event)) return true;
        uint32_t elapsed = device_ticks_ms() - start;
        if (elapsed >= timeout_ms) return false;
        // Sleeps until a message arrives or the time (or a pad's next look) is up.
        MsgWaitForMultipleObjectsEx(0, nullptr, win_pad_wait_limit(timeout_ms - elapsed),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
