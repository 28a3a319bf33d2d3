// The file helpers every system gives its backends, the page included: paths in
// fixed-size buffers (no allocation), whole writes, new files, why a save or an
// open failed, and the names of a save's temporaries. Declared once; each system
// defines its own where it differs (posix/, win32/files/), the rest is common/.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kPathMax = 4096;

// Copies a path into a kPathMax buffer; false (buffer emptied) when it does not fit.
bool copy_path(char* out, const char* path);
// out = folder + "/" + name; false when it does not fit.
bool join_path(char* out, const char* folder, const char* name);
// Creates a folder and any missing parents, each with mode 0700. True when the
// folder exists afterwards.
bool make_folders(const char* folder);
// The folder part of a path ("/a/b/c" gives "/a/b", "c" gives ".").
void folder_of(char* out, const char* path);
// Temporary files of a save are named "<file>.tmp-<pid>-<random>". True for such a
// file in `folder` whose writer is gone, or that is over an hour old, and for the
// fixed "<file>.tmp" names earlier versions used.
bool is_stale_temporary(const char* folder, const char* name);
// What a file's name says of it (save_temporaries.cpp): none of the game's
// temporaries, the fixed "<file>.dat.tmp" of earlier versions, or
// "<file>.dat.tmp-<pid>-<random>" with the writer's number put in *pid.
enum class SaveTemporary { kNone, kOld, kOfWriter };
SaveTemporary save_temporary(const char* name, long* pid);
// Writes all of size bytes to fd; false on any failure (errno says why).
bool write_all(int fd, const void* data, size_t size);
// Opens a file for writing, mode 0600, never through a symbolic link: created
// new (exclusive: failing when it exists) or emptied. -1 on failure (errno).
int open_new_file(const char* path, bool exclusive);
// Sets what platform_save_error says: a line of its own (empty: no failure), or
// "what: why" (the file or folder, and the cause).
void set_save_error(const char* text);
void set_save_error_of(const char* what, const char* why);
// Sets what platform_file_open_error says (the cause, and whether nothing was
// there) for an open that failed; -1, the failed open's answer.
int32_t refuse_open(const char* why, bool missing);
// Modification time of a regular file in nanoseconds (Windows: its own units);
// false when there is none. Each backend's saved files give it.
bool regular_file_time(const char* path, int64_t* time);
