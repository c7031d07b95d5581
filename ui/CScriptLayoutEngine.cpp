#include "ui/CScriptLayoutEngine.h"

// The layout binding is not part of the build yet; until it is, there is no engine.
CScriptLayoutEngine* CScriptLayoutEngine::Instance() { return nullptr; }

RECT CScriptLayoutEngine::Build(LFrame&, const CLayoutTexts&) { return RECT{0, 0, 0, 0}; }
RECT CScriptLayoutEngine::Measure(LFrame&, const CLayoutTexts&) { return RECT{0, 0, 0, 0}; }
void CScriptLayoutEngine::Place(LFrame&, const CLayoutTexts&, const RECT&) {}
