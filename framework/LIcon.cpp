#include "framework/LIcon.h"

LIcon::Rep::~Rep()
{
    if (mask)
        DeleteObject(mask);
    if (colour)
        DeleteObject(colour);
    if (icon)
        DestroyIcon(icon);
}

LIcon LIcon::Load(HMODULE module, const char* name)
{
    LIcon result;
    HICON icon = static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, 0, 0, 0));
    if (!icon)
        icon = static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!icon)
        return result;
    Rep* rep = new (std::nothrow) Rep;
    if (!rep) {
        DestroyIcon(icon);
        return result;
    }
    rep->icon = icon;
    ICONINFO info = {};
    if (GetIconInfo(icon, &info)) {
        rep->mask = info.hbmMask;
        rep->colour = info.hbmColor;
        BITMAP mask = {};
        if (rep->mask && GetObjectA(rep->mask, sizeof(mask), &mask)) {
            rep->width = mask.bmWidth;
            rep->height = rep->colour ? mask.bmHeight : mask.bmHeight / 2;
        }
    }
    result.m_rep = LShared<Rep>(rep);
    return result;
}

RECT LIcon::Bounds() const
{
    RECT r = {0, 0, Width(), Height()};
    return r;
}

void LIcon::Draw(HDC dc, const RECT& target) const
{
    if (dc && Handle())
        DrawIconEx(dc, target.left, target.top, Handle(), Width(), Height(), 0, nullptr, DI_NORMAL);
}
