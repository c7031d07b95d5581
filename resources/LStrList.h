#pragma once

#include "framework/LString.h"
#include "resources/LStrListCore.h"

#include <cstddef>

class LResSource;

// A custom resource read as a list of strings (string lists, menus, menu bars, layouts).
// Construction loads at once through the given source, else the default source chain; a
// resource that is not found gives an empty list. The bytes belong to the module.
class LStrList {
public:
    static constexpr const char* kStrings = "RT_TSTR";
    static constexpr const char* kMenu = "RT_TMNU";
    static constexpr const char* kMenuBar = "RT_TMNB";
    static constexpr const char* kLayout = "RT_TLYO";

    // name may also be an integer resource id (MAKEINTRESOURCEA).
    LStrList(const char* name, const char* type, LResSource* source = nullptr);
    LStrList(const LStrList&) = delete;
    LStrList& operator=(const LStrList&) = delete;

    const char* Type() const { return m_type; }
    int Count() const { return m_core.Count(); }
    // A copy of string index; empty outside 0..Count()-1.
    LString Get(int index) { return m_core.Get(index); }
    const LStrListCore& Core() const { return m_core; }

    // Called by a source that found the resource.
    void Attach(const void* data, size_t size) { m_core.Attach(data, size); }

private:
    const char* m_type;
    LStrListCore m_core;
};
