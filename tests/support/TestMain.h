#pragma once

// The exit status of a test program whose tests passed but some skipped (cmake/Testing.cmake
// gives it to CTest as SKIP_RETURN_CODE; the shell tests use it too).
constexpr int kSkippedExit = 77;
