#include "layout/LLayout.h"

#include "framework/LFrame.h"
#include "resources/LStrList.h"

#include <new>

namespace {

// Edges are arbitrary script values; their difference wraps like the scripts' arithmetic.
int32_t Span(LONG from, LONG to)
{
    return static_cast<int32_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
}

} // namespace

LLayout::LLayout(LFrame& container) : m_container(container)
{
    Register();
    LStrList library("STDLAYOUT", LStrList::kLayout);
    LString text = library.Get(0);
    Run(text.Text());
}

LLayout::LLayout(LFrame& container, const char* library) : m_container(container)
{
    Register();
    if (library)
        Run(library);
}

void LLayout::Register()
{
    RegisterFunction("pp", static_cast<Function>(&LLayout::Pp));
    RegisterFunction("wp", static_cast<Function>(&LLayout::Wp));
    RegisterFunction("hp", static_cast<Function>(&LLayout::Hp));
    RegisterFunction("w", static_cast<Function>(&LLayout::W));
    RegisterFunction("h", static_cast<Function>(&LLayout::H));
    RegisterFunction("l", static_cast<Function>(&LLayout::L));
    RegisterFunction("t", static_cast<Function>(&LLayout::T));
    RegisterFunction("r", static_cast<Function>(&LLayout::R));
    RegisterFunction("b", static_cast<Function>(&LLayout::B));
    RegisterFunction("sys", static_cast<Function>(&LLayout::Sys));
}

namespace {

// Reads the numbers at the start of text into ids (when given) and returns how many there are.
int ParseTabOrder(const char* text, int* ids)
{
    int count = 0;
    const char* at = text ? text : "";
    for (;;) {
        while (*at == ' ' || *at == '\t' || *at == '\r' || *at == '\n')
            ++at;
        bool negative = *at == '-';
        const char* digits = negative ? at + 1 : at;
        if (*digits < '0' || *digits > '9')
            break;
        unsigned value = 0;
        while (*digits >= '0' && *digits <= '9') {
            // Ids are small; a longer number is capped so that it still names no pane.
            if (value < 100000000u)
                value = value * 10u + static_cast<unsigned>(*digits - '0');
            ++digits;
        }
        if (ids)
            ids[count] = negative ? -static_cast<int>(value) : static_cast<int>(value);
        ++count;
        at = digits;
    }
    return count;
}

} // namespace

void LLayout::ReadTabOrder(const char* text)
{
    const int count = ParseTabOrder(text, nullptr);
    int* order = count > 0 ? new (std::nothrow) int[static_cast<size_t>(count)] : nullptr;
    if (order)
        ParseTabOrder(text, order);
    m_container.SetFocusOrder(order, order ? count : 0);
    delete[] order;
}

LPane* LLayout::PaneOf(int32_t id) const
{
    return id > 0 ? m_container.PaneById(id) : nullptr;
}

RECT LLayout::RectOf(int32_t id) const
{
    if (id == 0)
        return m_window;
    if (LPane* pane = PaneOf(id))
        return pane->Bounds();
    RECT none = {0, 0, 0, 0};
    return none;
}

int32_t LLayout::Pp()
{
    RECT rect = {Argument(1), Argument(2), Argument(3), Argument(4)};
    int32_t id = Argument(0);
    if (id == 0)
        m_window = rect;
    else if (LPane* pane = PaneOf(id))
        pane->SetBounds(rect);
    return 0;
}

int32_t LLayout::Wp()
{
    int32_t id = Argument(0);
    if (id == 0)
        return Span(m_window.left, m_window.right);
    LPane* pane = PaneOf(id);
    return pane ? pane->PreferredWidth(Argument(1)) : 0;
}

int32_t LLayout::Hp()
{
    int32_t id = Argument(0);
    if (id == 0)
        return Span(m_window.top, m_window.bottom);
    LPane* pane = PaneOf(id);
    return pane ? pane->PreferredHeight(Argument(1)) : 0;
}

int32_t LLayout::W()
{
    RECT rect = RectOf(Argument(0));
    return Span(rect.left, rect.right);
}

int32_t LLayout::H()
{
    RECT rect = RectOf(Argument(0));
    return Span(rect.top, rect.bottom);
}

int32_t LLayout::L() { return RectOf(Argument(0)).left; }
int32_t LLayout::T() { return RectOf(Argument(0)).top; }
int32_t LLayout::R() { return RectOf(Argument(0)).right; }
int32_t LLayout::B() { return RectOf(Argument(0)).bottom; }

int32_t LLayout::Sys()
{
    switch (Argument(0)) {
    case 0:
    case 1:
        return GetSystemMetrics(SM_CXVSCROLL);
    case 2:
    case 3:
        return GetSystemMetrics(SM_CYHSCROLL);
    default:
        return 0;
    }
}
