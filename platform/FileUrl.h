#pragma once

#include "framework/LString.h"

struct CUrl;

// The "file:///" URL of an existing folder or file: C:\Program Files\Sample gives
// file:///C:/Program%20Files/Sample. Empty when the walk up the folders does not reach a
// drive (a folder on the way does not exist).
LString PathToFileUrl(const char* path);

// The native path of a file URL. Every segment is decoded and made safe as a file name; ".."
// goes to the parent folder. With createFolders every missing folder between the drive root
// and the last segment is created; the last segment itself is not. Fails for other schemes,
// a first segment that is not a drive ("C:"), or a folder on the way that is not there.
// `knownFolder`, where given, holds the folder that a call found on the way last: a path in
// the same folder is not looked at again, which spares a walk of many files in one folder a
// question to the file system for every one of them.
bool FileUrlToPath(const CUrl& url, bool createFolders, LString& path, LString* knownFolder = nullptr);
