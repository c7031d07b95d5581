#include "ui/CAppIcon.h"

#include <windows.h>

LIcon CAppIcon::Get() { return LIcon::Load(GetModuleHandleA(nullptr), kName); }
