#pragma once

#include <cstdint>

// What the program learns about the system at start-up (GetVersionExA, GetSystemInfo) and
// later code reads: which Windows family it runs on, and its version.
struct CPlatformInfo {
    static constexpr uint32_t kWindows95Family = 1; // VER_PLATFORM_WIN32_WINDOWS
    static constexpr uint32_t kWindowsNTFamily = 2; // VER_PLATFORM_WIN32_NT

    uint32_t platformId = 0;
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t pageSize = 0;
    uint32_t processorCount = 0;
    bool filled = false;

    bool IsWindows95Family() const { return platformId == kWindows95Family; }

    // Queries the system; start-up calls it once before anything reads the information.
    void Fill();

    // The process-wide information.
    static CPlatformInfo& Current();
};
