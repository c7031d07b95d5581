#include "ui/CScriptLayoutEngine.h"

#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"

namespace {

LLayoutSections SectionsOf(const CLayoutTexts& texts)
{
    return LLayoutSections(texts.Section(0).Text(), texts.Section(1).Text(), texts.Section(2).Text(),
                           texts.HasTabOrder() ? texts.Section(3).Text() : nullptr);
}

} // namespace

CScriptLayoutEngine* CScriptLayoutEngine::Instance()
{
    static CScriptLayoutEngine engine;
    return &engine;
}

RECT CScriptLayoutEngine::Build(LFrame& container, const CLayoutTexts& texts)
{
    return LLayoutRun::Build(container, SectionsOf(texts));
}

RECT CScriptLayoutEngine::Measure(LFrame& container, const CLayoutTexts& texts)
{
    return LLayoutRun::Measure(container, SectionsOf(texts));
}

void CScriptLayoutEngine::Place(LFrame& container, const CLayoutTexts& texts, const RECT& frame)
{
    LLayoutRun::Place(container, SectionsOf(texts), frame);
}
