// Helpers of the Windows file code: UTF-8 paths, as the game passes them, become
// the system's UTF-16 at this boundary and come back as UTF-8; Win32 error codes
// become errno values, so that messages read as on the other systems.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The longest path in UTF-16 units this code handles (long paths included).
constexpr size_t kWidePathMax = 4096;

// UTF-8 to UTF-16 into out (count units, terminated); false when the text is not
// UTF-8 or does not fit (errno set).
bool widen(const char* text, wchar_t* out, size_t count);
// UTF-16 to UTF-8 into out (size bytes, terminated); false when it does not fit.
bool narrow(const wchar_t* text, char* out, size_t size);
// Sets errno from a Win32 error code (GetLastError()).
void set_errno_from(DWORD error);
// True for a file that is not a folder (nor a device) at a wide path; *written
// receives its last write time in 100 ns steps.
bool wide_regular_file(const wchar_t* path, int64_t* written);
