// Setting and clearing environment variables, for the tools and tests that run a
// game in a folder of their own, on every system the game builds for.
#pragma once

#include <cstdlib>

inline void set_environment(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value);
#else
    setenv(name, value, 1);
#endif
}

inline void clear_environment(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");  // an empty value removes the variable
#else
    unsetenv(name);
#endif
}
