#include "ui/CAppIcon.h"

#include "framework/LOwnModule.h"

LIcon CAppIcon::Get() { return LIcon::Load(LOwnModule(), kName); }
