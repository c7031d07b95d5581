#pragma once

#include "framework/LString.h"

// Registry key paths below a hive: '\' separates the keys, and every other character,
// ':' included, belongs to a key name. Double-byte names are stepped over whole.

// The path of the key above the last one: "Software\Sample\Key" gives "Software\Sample"; a key
// directly below the hive gives "" (the hive itself).
LString ParentKey(const char* key);
// The last key name; empty for an empty path and for one that ends with '\', which name no
// key below their parent.
LString LastKeyName(const char* key);
