#pragma once

#include <windows.h>

// The linker's symbol at the start of this program's image. Its address is the program's module
// handle, what GetModuleHandleA(nullptr) answers in an executable, known without asking.
extern "C" IMAGE_DOS_HEADER __ImageBase;

inline HINSTANCE LOwnModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
