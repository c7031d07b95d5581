#include "framework/LProgressBar.h"

#include <commctrl.h>

namespace {
LStdCtlSpec ProgressSpec()
{
    LStdCtlSpec spec;
    spec.valid = 1;
    spec.style = 0;
    spec.className = PROGRESS_CLASSA;
    return spec;
}
} // namespace

LProgressBar::LProgressBar(LFrame* parent)
    : LStdCtl(parent, ProgressSpec())
{
}

int32_t LProgressBar::ScaledMaximum(int32_t maximum)
{
    while (maximum >= 32767)
        maximum /= 2;
    return maximum;
}

int32_t LProgressBar::ScaledPosition(int32_t maximum, int32_t position)
{
    while (maximum >= 32767) {
        maximum /= 2;
        position /= 2;
    }
    return position;
}

void LProgressBar::SetMaximum(int32_t maximum)
{
    if (maximum == m_maximum || !Control())
        return;
    m_maximum = maximum;
    SendMessageA(Control(), PBM_SETRANGE, 0, MAKELPARAM(0, ScaledMaximum(maximum)));
}

void LProgressBar::SetPosition(int32_t position)
{
    if (Control())
        SendMessageA(Control(), PBM_SETPOS, static_cast<WPARAM>(ScaledPosition(m_maximum, position)), 0);
}

int LProgressBar::PreferredWidth(int hint)
{
    return hint == -1 ? 0 : LStdCtl::PreferredWidth(hint);
}

int LProgressBar::PreferredHeight(int hint)
{
    return hint == -1 ? 0 : LStdCtl::PreferredHeight(hint);
}
