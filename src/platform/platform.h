// The boundary between the game and the machine it runs on.
//
// Four backends implement it, one of which a program links:
// - sdl/ (Linux: the real game, SDL2 and SDL2_mixer);
// - win32/ (Windows: a Win32 window, a DIB, XAudio2, XInput);
// - web/ (the page: a canvas, Web Audio, IndexedDB, with its half in web/);
// - headless/ (tests and tools on Linux, on Windows and under node: queued
//   input, a manual clock, the presented frames kept).
// Each backend gives the window, presentation, message box, cursor and audio.
// The clock, events, desktop, mouse and saved-file reads go through the session
// tape (common/tape), which records or replays what the backend's device_*
// functions (platform/device.h) answer. The font is the game's font file read
// by common/font on every backend.
//
// Where each keeps the player's files (saved files, recordings, display
// settings):
// - Linux (SDL, headless): $XDG_DATA_HOME/cairnfall (~/.local/share/cairnfall),
//   the display settings in $XDG_CONFIG_HOME/cairnfall; beside the program for a
//   portable game (a file named "portable" there);
// - Windows: %APPDATA%\Cairnfall; beside the program for the portable zip;
// - the page: the browser's IndexedDB for the page's address (named "/cairnfall").
//
// The platform's folders are named for the builds that compile them: common/
// (every backend), desktop/ (SDL, Windows, headless), posix/ (Linux and the
// page), xdg/ (Linux's own folders), and one folder per backend.
// The game code includes this header (and platform/events.h) only; it never sees
// SDL, Win32, Emscripten, FreeType or POSIX.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/events.h"

// ---------------------------------------------------------------- window, events

// The size of the picture the game draws and every backend shows.
constexpr int32_t kPictureWidth = 800;
constexpr int32_t kPictureHeight = 600;

// Opens the window titled `title` (hidden until platform_show_window). False when
// no display can be opened at all.
bool platform_open_window(const char* title);
// Why platform_open_window failed, as one line naming the cause ("no display:
// neither DISPLAY nor WAYLAND_DISPLAY is set").
const char* platform_display_error();
// Display choices from the command line, made before platform_open_window: a
// window instead of full screen (this run only, whatever was remembered), and
// plain nearest-neighbour scaling instead of the default crisp scaling (nearest
// at a whole multiple, then linear down).
void platform_set_windowed(bool windowed);
void platform_set_nearest_scaling(bool nearest);
// Remembers between runs whether the game was full screen or a window, and the
// window's size, in the platform's own settings file (not a saved file of the
// game): read by platform_open_window, written by platform_close_window. Only the
// program itself asks for it; tests and tools leave the player's settings alone.
void platform_remember_display();
// Gives the window the picture of a 32-bit BMP file (with alpha) as its icon.
// False when the file cannot be used; the window then keeps the system's icon.
bool platform_set_window_icon(const char* path);
// Asks for the window to be shown full screen (or windowed) with the 800x600
// picture scaled and letterboxed. It appears with the first picture presented,
// so no leftover contents are ever seen.
void platform_show_window();
// Closes the window and everything the backend holds for it. Safe to call twice.
void platform_close_window();
// Size of the desktop the window would cover; false when it cannot be told.
bool platform_desktop_size(int32_t* width, int32_t* height);
// Bits per pixel of the desktop (32 on every modern display).
int32_t platform_display_depth();
// Takes one pending event without waiting. False when none is queued.
bool platform_poll_event(PlatformEvent* event);
// Waits for the next event for at most timeout_ms milliseconds of the platform
// clock (platform_ticks_ms). False when the time ran out first.
bool platform_wait_event(PlatformEvent* event, uint32_t timeout_ms);

// Shows an 800x600 ARGB8888 picture, rows top first. `changed` is false when the
// caller knows the picture equals the last one shown; the backend may then skip the
// upload and only re-render when the window itself asked for it (an expose).
void platform_present(const uint32_t* argb, bool changed);

// Shows a modal error message with the error icon where a display can show one,
// and writes it to standard error in any case ("cairnfall: <text>").
void platform_message_box(const char* text, const char* caption);
// Text entry starts (true) or ends (false): a backend with an on-screen keyboard may show or hide
// it.
void platform_set_text_entry(bool active);

// ---------------------------------------------------------------- clock

// Monotonic milliseconds since the backend started (wraps after 49 days).
uint32_t platform_ticks_ms();
// Calendar time in whole seconds.
int64_t platform_calendar_seconds();
// Sleeps for ms milliseconds without handling events (headless: advances the clock).
void platform_sleep_ms(uint32_t ms);

// ---------------------------------------------------------------- files

// Full path of the running executable into buffer (terminated); false on failure.
bool platform_executable_path(char* buffer, size_t size);
// The path as seen from the working folder now, made absolute into buffer; false
// when it does not fit or the working folder cannot be told.
bool platform_absolute_path(const char* path, char* buffer, size_t size);
// Makes path the working directory; false on failure.
bool platform_change_directory(const char* path);
// Writes size bytes to path atomically: a unique temporary file beside it is
// written, flushed to disk and renamed over path, then the folder is flushed. On
// failure the old file stays intact.
bool platform_write_file_atomic(const char* path, const void* data, size_t size);

// Opens a regular file for reading without ever blocking: a named pipe, a device
// or a folder is refused. Returns a handle of 0 or more, or -1.
int32_t platform_file_open(const char* path);
// Why the last platform_file_open failed, in the system's words ("Permission
// denied"); *missing (when given) tells whether no file was there at all.
const char* platform_file_open_error(bool* missing);
// Reads size bytes straight from the file (no buffering in between), fewer only
// at the end of the file: the count read, 0 at the end, -1 on an error.
int32_t platform_file_read(int32_t file, void* buffer, uint32_t size);
// Size of an open file in bytes, or -1.
int64_t platform_file_size(int32_t file);
void platform_file_close(int32_t file);
// A file of a folder as the player's system writes it, for messages: the folder,
// the system's separator, and the name with its '/' turned into that separator
// ("C:\Games\Cairnfall\data\board_" on Windows). Cut short when it does not fit.
void platform_shown_path(char* out, size_t size, const char* folder, const char* name);

// Finds the game's data for the running executable and makes the folder that holds
// data/ the working folder: data/ beside the executable (a build tree), else
// <prefix>/share/cairnfall/data for a program in <prefix>/bin or <prefix>/games,
// so an installed tree can be moved (Windows: data\ beside the program; the
// page: its data pack). Sets the save folders too: for a build tree the
// player's folder (above: the XDG folder, %APPDATA%\Cairnfall),
// then the program's own (read, for files an older build kept there); the other
// way round for a portable game, one with a file named "portable" beside the
// program; only the player's folder for an installed one. On success `folder` receives the folder
// holding data/; on failure it receives the data folders looked for, and the working folder is
// unchanged.
bool platform_enter_game_folder(char* folder, size_t size);
// The player's own folder for saved files: on Linux $XDG_DATA_HOME/cairnfall when
// that is an absolute path, else $HOME/.local/share/cairnfall; on Windows
// %APPDATA%\Cairnfall; the page: "/cairnfall", the name its storage goes by. False
// when none is known.
bool platform_player_folder(char* folder, size_t size);

// ---------------------------------------------------------------- saved files
//
// The game names its saved files ("cairnfall.dat", "profile.dat"); the platform
// decides where they live (the desktops: a list of save folders, most preferred
// first, by default just the working folder; the page: IndexedDB, where the
// folders are ignored).

// Replaces the list of save folders (at most 4; null or empty entries are skipped).
// A folder that does not exist yet is created (mode 0700) on the first write.
void platform_set_save_folders(const char* const* folders, int32_t count);
// Reads up to capacity bytes of the newest copy of a saved file across the save
// folders: the count read, or -1 when no folder holds a readable regular file.
int32_t platform_read_saved(const char* name, uint8_t* bytes, int32_t capacity);
// Writes a saved file atomically into the first save folder that takes it. False
// when none did; platform_save_error then says why.
bool platform_write_saved(const char* name, const void* data, size_t size);
// Why the last failed write failed, as one line ("/path/x.dat: No space left...").
const char* platform_save_error();
// Takes an advisory lock shared by every copy of the game on the first save folder
// that can hold the lock file; waits for another copy to let go. Calls nest.
void platform_lock_saves();
void platform_unlock_saves();
// Removes temporary files that a killed save left in the save folders.
void platform_remove_stale_temporaries();

// ---------------------------------------------------------------- session recording
//
// The clock readings, the events, the desktop's size and depth, the mouse's
// presence and the saved files read and written (with the results) are all the
// game takes from outside. While a session is recorded every one of them is kept,
// in order; while a recording plays they come from it instead, so the same code
// and data make the same game again.

// Records this session into a new file in recordings/ of the first save folder
// that takes it, keeping the newest ten there. `header` is the game's own text
// (its version, its data). False, with a line on standard error, when no folder
// takes it: the game runs on unrecorded.
bool platform_record_session(const char* header);
// Records this session into `path` (created, or emptied).
bool platform_record_to(const char* path, const char* header);
// The file being recorded, "" when none.
const char* platform_recording_path();
// Ends the recording with the session's end mark and closes it. Does nothing when
// nothing is recorded.
void platform_record_stop();
// Plays the recording in `path` in place of the machine's inputs from the next
// call on; `header` receives its header text. `watch`: keep the session's own
// pace and let the window's Esc, F12 or close button stop it, and write no saved
// files. False, with platform_tape_error naming the file and the cause, when the
// file is no recording.
bool platform_play_recording(const char* path, bool watch, char* header, size_t size);
// Ends playback once the program has ended: true when the program used the whole
// recording up to its end (or watching was stopped); otherwise
// platform_tape_error says where the game and the recording parted.
bool platform_playback_finished();
// Why playback failed or stopped early, "" when it did not.
const char* platform_tape_error();

// ---------------------------------------------------------------- mouse cursor

// True when the system has a pointing device.
bool platform_mouse_present();
// The system's cursor size in pixels (at least 32 by 32).
void platform_cursor_size(int32_t* width, int32_t* height);
// Makes a monochrome cursor from two planes of (width / 8) * height bytes, most
// significant bit leftmost: AND 1 + XOR 0 is transparent, AND 0 + XOR 0 black,
// AND 0 + XOR 1 white, AND 1 + XOR 1 inverted. Returns a handle above 0, or 0.
int32_t platform_cursor_create(const uint8_t* and_plane, const uint8_t* xor_plane, int32_t width,
                               int32_t height, int32_t hot_x, int32_t hot_y);
// Makes the cursor current inside the window (0: no cursor of the game's own).
void platform_cursor_set(int32_t cursor);
// Shows (true) or hides (false) the cursor inside the window.
void platform_cursor_show(bool visible);

// ---------------------------------------------------------------- font

// Metrics of a loaded font, in pixels.
struct PlatformFontMetrics {
    int32_t height;            // cell height: ascent + descent
    int32_t ascent;            // baseline distance from the cell's top
    int32_t external_leading;  // extra space the font asks for between lines
    int32_t average_width;     // average character width
};

// The game's font file, in the game folder: its one run-time font, rendered in
// monochrome when the game is built.
constexpr const char* PLATFORM_FONT_FILE = "data/font_";

// Opens the font for a face name and style with a cell of `cell_height` pixels
// (ascent + descent) from PLATFORM_FONT_FILE. Returns a handle above 0, or 0 when
// the file is missing or damaged or holds another face, size or style.
// The glyphs are condensed to the game's proportions: an average character width
// of 12 pixels for a 28-pixel cell.
int32_t platform_font_open(const char* face, int32_t cell_height, bool bold, bool italic);
// As platform_font_open, with the glyphs scaled horizontally so that the average
// character width is average_width pixels (0: the face's own proportions).
int32_t platform_font_open_sized(const char* face, int32_t cell_height, int32_t average_width,
                                 bool bold, bool italic);
void platform_font_close(int32_t font);
void platform_font_metrics(int32_t font, PlatformFontMetrics* metrics);
// Width of the text's advances in pixels, the same that drawing moves by.
int32_t platform_font_text_width(int32_t font, const char* text, int32_t length);
// Draws the text with the top-left corner of its first cell at (x, y): every glyph
// pixel of an 8-bit picture (stride bytes per row, rows stored bottom row first,
// width by height) takes `colour`; no other pixel changes; glyphs are cut at the
// picture's edges.
void platform_font_draw(int32_t font, const char* text, int32_t length, int32_t x, int32_t y,
                        uint8_t colour, uint8_t* pixels, int32_t stride, int32_t width,
                        int32_t height);

// ---------------------------------------------------------------- audio

// The format of a sound, as the game's WAV reader found it.
struct PlatformSoundFormat {
    uint16_t format_tag;  // 1 = PCM
    uint16_t channels;
    uint32_t samples_per_sec;
    uint32_t avg_bytes_per_sec;
    uint16_t block_align;
    uint16_t bits_per_sample;
};

// Opens the default sound device. False: no sound at all.
bool platform_audio_open();
void platform_audio_close();
// A sound buffer of `size` bytes of samples in `format`. Returns a handle above 0,
// or 0 when the device refuses it (no device, an odd format).
int32_t platform_audio_create(const PlatformSoundFormat* format, uint32_t size);
// Copies size sample bytes into the buffer. False on failure.
bool platform_audio_fill(int32_t buffer, const uint8_t* samples, uint32_t size);
// True when the buffer's memory was lost and must be restored and refilled.
bool platform_audio_lost(int32_t buffer);
// Makes a lost buffer usable again (its contents are undefined until refilled).
bool platform_audio_restore(int32_t buffer);
// Starts the buffer from its beginning, once or looping. False on failure.
bool platform_audio_play(int32_t buffer, bool loop);
// Attenuation in hundredths of a decibel: 0 full, -10000 silence.
bool platform_audio_set_volume(int32_t buffer, int32_t hundredths_db);
void platform_audio_release(int32_t buffer);
