#pragma once

#include <windows.h>

class LStrList;

// Finds custom resources in one module (null: the executable itself).
class LResSource {
public:
    explicit LResSource(HMODULE module) : m_module(module) {}
    virtual ~LResSource() = default;
    LResSource(const LResSource&) = delete;
    LResSource& operator=(const LResSource&) = delete;

    // Loads the resource of the list's type; false when this source has none of that name.
    virtual bool Load(const char* name, LStrList* list);
    // The language the source's texts are in; 0 when it does not choose one.
    virtual WORD LanguageId() const { return 0; }

    HMODULE Module() const { return m_module; }

protected:
    bool LoadExact(const char* name, LStrList* list);

private:
    HMODULE m_module;
};
