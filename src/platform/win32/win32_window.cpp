// The game's one window: borderless full screen on its monitor or a resizable
// window, the 800x600 picture scaled into it with its proportions kept, black
// bars around it. It appears with the first picture presented.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/device.h"
#include "platform/platform.h"
#include "platform/win32/files/win32_text.h"
#include "platform/win32/win32_state.h"

// After windows.h, which it builds on.
#include <mmsystem.h>

WinDisplay win_display = {};
WinChoices win_choices = {};

namespace {

constexpr const wchar_t* kClassName = L"CairnfallWindow";
constexpr DWORD kWindowedStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kFullscreenStyle = WS_POPUP;

char display_error[256];
bool class_registered = false;

// A program of the Windows subsystem starts without a console. Started from one
// (cmd, PowerShell), it writes its messages (--help, the reason it cannot start)
// there; where its standard handles lead somewhere already, they stay.
struct ParentConsole {
    ParentConsole() {
        if (GetStdHandle(STD_ERROR_HANDLE) != nullptr) return;
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
};
ParentConsole parent_console;

// The monitor's whole rectangle, and the part a window may use.
void monitor_rects(HWND window, RECT* whole, RECT* work) {
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                         : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        *whole = info.rcMonitor;
        *work = info.rcWork;
    } else {
        *whole = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        *work = *whole;
    }
}

// The window's outer rectangle for a client area of the chosen size, centred in
// the monitor's work area and cut down to it.
RECT windowed_rect(HWND window) {
    RECT whole, work;
    monitor_rects(window, &whole, &work);
    RECT rect = {0, 0, win_choices.window_width > 0 ? win_choices.window_width : kPictureWidth,
                 win_choices.window_height > 0 ? win_choices.window_height : kPictureHeight};
    AdjustWindowRectEx(&rect, kWindowedStyle, FALSE, 0);
    LONG width = rect.right - rect.left;
    LONG height = rect.bottom - rect.top;
    LONG work_width = work.right - work.left;
    LONG work_height = work.bottom - work.top;
    if (width > work_width) width = work_width;
    if (height > work_height) height = work_height;
    LONG left = work.left + (work_width - width) / 2;
    LONG top = work.top + (work_height - height) / 2;
    return {left, top, left + width, top + height};
}

// Remembers the client size while the window is a window.
void keep_window_size() {
    if (win_display.window == nullptr || win_display.fullscreen) return;
    RECT client;
    if (IsIconic(win_display.window) || !GetClientRect(win_display.window, &client)) return;
    win_choices.window_width = client.right;
    win_choices.window_height = client.bottom;
}

void take_settings() {
    if (!win_choices.remember) return;
    DisplaySettings settings = win_load_settings();
    if (!win_choices.windowed_chosen) win_choices.windowed = settings.windowed;
    win_choices.window_width = settings.width;
    win_choices.window_height = settings.height;
}

void keep_settings() {
    if (!win_choices.remember || win_display.window == nullptr) return;
    keep_window_size();
    DisplaySettings settings = display_default_settings();
    settings.windowed = !win_display.fullscreen;
    if (win_choices.window_width >= kSmallestWindowWidth &&
        win_choices.window_height >= kSmallestWindowHeight) {
        settings.width = win_choices.window_width;
        settings.height = win_choices.window_height;
    }
    if (!win_save_settings(settings)) {
        std::fprintf(stderr, "cairnfall: warning: display settings not saved: %s\n",
                     std::strerror(errno));
    }
}

bool register_class() {
    if (class_registered) return true;
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = win_window_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hIcon = LoadIconW(window_class.hInstance, MAKEINTRESOURCEW(1));
    window_class.hCursor = nullptr;  // set on every move (WM_SETCURSOR)
    window_class.hbrBackground = nullptr;
    window_class.lpszClassName = kClassName;
    class_registered = RegisterClassExW(&window_class) != 0;
    return class_registered;
}

void note_error(const char* what) {
    std::snprintf(display_error, sizeof display_error, "%s (Windows error %lu)", what,
                  static_cast<unsigned long>(GetLastError()));
}

}  // namespace

bool platform_open_window(const char* title) {
    if (win_display.window != nullptr) return true;
    display_error[0] = '\0';
    if (!register_class()) {
        note_error("cannot register the window class");
        return false;
    }
    take_settings();
    // The clock's sleeps and waits keep to the millisecond.
    timeBeginPeriod(1);
    wchar_t wide_title[256];
    if (!widen(title != nullptr ? title : "", wide_title, 256)) wide_title[0] = L'\0';
    RECT rect = windowed_rect(nullptr);
    HWND window = CreateWindowExW(0, kClassName, wide_title, kWindowedStyle, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        note_error("cannot create the window");
        timeEndPeriod(1);
        return false;
    }
    win_display.window = window;
    win_display.windowed_rect = rect;
    if (win_choices.icon != nullptr) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(win_choices.icon));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(win_choices.icon));
    }
    if (!win_choices.windowed) win_toggle_fullscreen();
    win_pads_start();
    win_display.redraw_pending = true;
    return true;
}

const char* platform_display_error() {
    return display_error[0] != '\0' ? display_error : "cannot open the display";
}

void platform_show_window() {
    if (win_display.window == nullptr) return;
    win_display.show_pending = true;
    win_display.redraw_pending = true;
}

void platform_set_windowed(bool windowed) {
    win_choices.windowed = windowed;
    win_choices.windowed_chosen = true;
    if (win_display.window != nullptr && win_display.fullscreen == windowed) {
        win_toggle_fullscreen();
    }
}

void platform_set_nearest_scaling(bool nearest) {
    win_choices.nearest_scaling = nearest;
    win_display.redraw_pending = true;
}

bool platform_set_window_icon(const char* path) {
    wchar_t wide[kWidePathMax];
    if (path == nullptr || !widen(path, wide, kWidePathMax)) return false;
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, wide, IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    if (icon == nullptr) {
        // A BMP file with alpha, as the other systems take: made into an icon.
        HBITMAP colour = static_cast<HBITMAP>(
            LoadImageW(nullptr, wide, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        if (colour == nullptr) return false;
        BITMAP info = {};
        GetObjectW(colour, sizeof info, &info);
        if (info.bmWidth <= 0 || info.bmHeight <= 0 || info.bmWidth > 1024 ||
            info.bmHeight > 1024) {
            DeleteObject(colour);
            return false;
        }
        // The picture's alpha says what shows; the mask, all zero, lets it.
        std::vector<uint8_t> zeros(static_cast<size_t>((info.bmWidth + 15) / 16 * 2) *
                                   info.bmHeight);
        HBITMAP mask = CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, zeros.data());
        ICONINFO parts = {TRUE, 0, 0, mask, colour};
        icon = CreateIconIndirect(&parts);
        DeleteObject(mask);
        DeleteObject(colour);
        if (icon == nullptr) return false;
    }
    if (win_choices.icon != nullptr) DestroyIcon(win_choices.icon);
    win_choices.icon = icon;
    if (win_display.window != nullptr) {
        SendMessageW(win_display.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(win_display.window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    return true;
}

void platform_remember_display() {
    win_choices.remember = true;
}

// Windows shows its touch keyboard by itself where one is needed; the game's
// name entry takes keys either way.
void platform_set_text_entry(bool) {}

void platform_close_window() {
    keep_settings();
    win_release_cursors();
    win_pads_let_go();
    if (win_display.window != nullptr) {
        DestroyWindow(win_display.window);
        timeEndPeriod(1);
    }
    win_render_release();
    if (win_choices.icon != nullptr) DestroyIcon(win_choices.icon);
    win_choices.icon = nullptr;
    win_display.window = nullptr;
    win_display.fullscreen = false;
    win_display.show_pending = false;
    win_display.has_frame = false;
}

void win_toggle_fullscreen() {
    HWND window = win_display.window;
    if (window == nullptr) return;
    if (win_display.fullscreen) {
        win_display.fullscreen = false;
        SetWindowLongPtrW(window, GWL_STYLE,
                          kWindowedStyle | (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE));
        RECT rect = windowed_rect(window);
        SetWindowPos(window, HWND_NOTOPMOST, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_FRAMECHANGED | SWP_NOACTIVATE);
    } else {
        keep_window_size();
        win_display.fullscreen = true;
        RECT whole, work;
        monitor_rects(window, &whole, &work);
        SetWindowLongPtrW(window, GWL_STYLE,
                          kFullscreenStyle | (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE));
        SetWindowPos(window, HWND_TOP, whole.left, whole.top, whole.right - whole.left,
                     whole.bottom - whole.top, SWP_FRAMECHANGED | SWP_NOACTIVATE);
    }
    win_display.redraw_pending = true;
    InvalidateRect(window, nullptr, FALSE);
}

bool device_desktop_size(int32_t* width, int32_t* height) {
    RECT whole, work;
    monitor_rects(win_display.window, &whole, &work);
    if (whole.right <= whole.left || whole.bottom <= whole.top) return false;
    if (width != nullptr) *width = whole.right - whole.left;
    if (height != nullptr) *height = whole.bottom - whole.top;
    return true;
}

int32_t device_display_depth() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return 32;
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    // 24-bit colour is kept in four bytes a pixel: what Windows calls 32 bits.
    return bits >= 24 ? 32 : bits > 0 ? bits : 32;
}

void platform_message_box(const char* text, const char* caption) {
    if (text == nullptr) text = "";
    if (caption == nullptr) caption = "";
    std::fprintf(stderr, "cairnfall: %s\n", text);
    std::fflush(stderr);
    wchar_t wide_text[2048];
    wchar_t wide_caption[256];
    if (!widen(text, wide_text, 2048)) wide_text[0] = L'\0';
    if (!widen(caption, wide_caption, 256)) wide_caption[0] = L'\0';
    MessageBoxW(win_display.window, wide_text, wide_caption, MB_OK | MB_ICONERROR);
}
