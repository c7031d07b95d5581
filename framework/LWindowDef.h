#pragma once

#include <windows.h>

// Knows the kind of window to create (0 plain, 1 top-level, 2 floating, 3 modal) and how to
// create and destroy its native window.
class LWindowDef {
public:
    explicit LWindowDef(int kind) : m_kind(kind) {}
    virtual ~LWindowDef() = default;
    LWindowDef(const LWindowDef&) = delete;
    LWindowDef& operator=(const LWindowDef&) = delete;

    int Kind() const { return m_kind; }
    virtual HWND Create(HWND parent) = 0;
    virtual void Destroy(HWND window) { DestroyWindow(window); }

private:
    int m_kind;
};
