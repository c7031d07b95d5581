#include "framework/LKeyboard.h"

namespace {
LKeyboard* g_keyboard = nullptr;
}

LKeyboard* LKeyboard::Instance() { return g_keyboard; }

LKeyboard::LKeyboard()
    : LHandler(nullptr)
{
    g_keyboard = this;
}

LKeyboard::~LKeyboard()
{
    if (g_keyboard == this)
        g_keyboard = nullptr;
}

void LKeyboard::Refresh(const MSG& message)
{
    if (message.message < WM_KEYFIRST || message.message > WM_SYSDEADCHAR)
        return;
    m_last = message;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        m_virtualKey = static_cast<unsigned>(message.wParam);
        m_character = static_cast<char>(MapVirtualKeyA(m_virtualKey, 2));
        break;
    case WM_CHAR:
        m_character = static_cast<char>(message.wParam);
        break;
    default: // dead and system characters
        m_character = 0;
        break;
    }
    m_shift = GetKeyState(VK_SHIFT) < 0;
    m_control = GetKeyState(VK_CONTROL) < 0;
}
