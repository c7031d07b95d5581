#pragma once

#include "layout/LScript.h"

#include <windows.h>

class LFrame;
class LPane;

// A layout engine: the script interpreter bound to one container and its child panes, with
// the functions that ask panes for their preferred sizes (wp, hp), read their frames (w, h, l,
// t, r, b), place them (pp) and read system metrics (sys). Id 0 is the container itself, seen
// through the window rectangle; ids 1 to n are its children in creation order.
// Lives for one build, one size question or one re-placement.
class LLayout : public LScript {
public:
    // Runs the library STDLAYOUT from the default resource chain before anything else.
    explicit LLayout(LFrame& container);
    // The same with the library's text given (null: no library).
    LLayout(LFrame& container, const char* library);

    // Runs one section of a layout as a script; the value is of no use to callers.
    void RunSection(const char* text) { Run(text); }
    // Reads a list of pane ids (decimal, optionally signed, between white space) as the
    // container's Tab order, up to the first item that is not a number.
    void ReadTabOrder(const char* text);

    const RECT& WindowRect() const { return m_window; }
    void SetWindowRect(const RECT& rect) { m_window = rect; }

private:
    void Register();
    LPane* PaneOf(int32_t id) const;
    RECT RectOf(int32_t id) const;

    int32_t Pp();
    int32_t Wp();
    int32_t Hp();
    int32_t W();
    int32_t H();
    int32_t L();
    int32_t T();
    int32_t R();
    int32_t B();
    int32_t Sys();

    LFrame& m_container;
    RECT m_window = {0, 0, 0, 0};
};
