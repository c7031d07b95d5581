#pragma once

#include "framework/LPtrArray.h"
#include "resources/LResSource.h"

// Resource sources asked from the last added to the first; the first that finds a resource
// wins. Owns its sources. The process-wide default chain is what every list without a source
// of its own reads through.
class LResSourceChain : public LResSource {
public:
    LResSourceChain() : LResSource(nullptr) {}
    ~LResSourceChain() override;

    // Takes ownership; a null source is ignored, and so is one that finds no room (and is deleted).
    void Add(LResSource* source);
    bool Load(const char* name, LStrList* list) override;
    // The first non-zero language id from the last source to the first.
    WORD LanguageId() const override;

    static LResSourceChain* Default() { return s_default; }
    // Does not take ownership; start-up sets it and clears it at tear-down.
    static void SetDefault(LResSourceChain* chain) { s_default = chain; }

private:
    LPtrArray<LResSource> m_sources; // owned
    static LResSourceChain* s_default;
};
