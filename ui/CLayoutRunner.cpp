#include "ui/CLayoutRunner.h"

#include "ui/CScriptLayoutEngine.h"

namespace {
CLayoutRunner::Engine* g_engine = nullptr;
}

void CLayoutRunner::SetEngine(Engine* engine) { g_engine = engine; }

CLayoutRunner::Engine* CLayoutRunner::CurrentEngine()
{
    return g_engine ? g_engine : CScriptLayoutEngine::Instance();
}

RECT CLayoutRunner::Build(LFrame& container, const CLayoutTexts& texts)
{
    Engine* engine = CurrentEngine();
    return engine ? engine->Build(container, texts) : RECT{0, 0, 0, 0};
}

RECT CLayoutRunner::Measure(LFrame& container, const CLayoutTexts& texts)
{
    Engine* engine = CurrentEngine();
    return engine ? engine->Measure(container, texts) : RECT{0, 0, 0, 0};
}

void CLayoutRunner::Place(LFrame& container, const CLayoutTexts& texts, const RECT& frame)
{
    if (Engine* engine = CurrentEngine())
        engine->Place(container, texts, frame);
}
