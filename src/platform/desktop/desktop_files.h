// What the desktop backends (SDL, Windows, headless) share of the player's
// files: the save folders in force and the recorded sessions' names and upkeep.
// The folders and names are common to them (desktop/); the process number, the
// clock in UTC and the clearing out of old sessions are each system's own
// (xdg/recordings.cpp, win32/files/win32_recordings.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

// The save folders in force, most preferred first (save_folders.cpp).
int32_t save_folder_count();
const char* save_folder(int32_t index);
// True for the names recorded sessions get: "<yyyymmdd>-<hhmmss>-<pid>[-<n>].rec".
bool is_session_name(const char* name);
// The name of a session started at `stamp` ("yyyymmdd-hhmmss", UTC) by process
// `pid`, for the attempt-th try within that second (1 first); false when it
// does not fit.
bool session_name(char* name, size_t size, const char* stamp, long pid, int attempt);
// What each system gives the sessions' files (session_files.cpp): the process's
// number, calendar seconds as a UTC date and time (false when they cannot be),
// and removing the oldest sessions of `folder` until `keep` are left.
long process_number();
bool utc_time(std::time_t seconds, std::tm* out);
void keep_newest_sessions(const char* folder, size_t keep);
