// The icon's shape is apart from LIcon.cpp: loading and drawing an icon never need it, and a
// program that never asks for it then goes without the region-from-bitmap code and its imports.
#include "framework/LIcon.h"

LRegion LIcon::Shape() const
{
    if (m_rep.IsNull())
        return LRegion();
    Rep* rep = m_rep.Get();
    if (!rep->shapeMade) {
        rep->shapeMade = true;
        rep->shape = LRegion::FromBitmap(rep->mask);
        if (!rep->colour)
            rep->shape = rep->shape.Intersect(LRegion::FromRect(0, 0, rep->width, rep->height));
    }
    return rep->shape;
}
