#pragma once

#include "framework/LString.h"

#include <cstdint>

class CEntrySource;
class CFilesInUse;

// What the file installation needs of the installer run: where the product goes and the
// package it comes from.
struct CInstallRun {
    LString destination;             // the destination folder's native path
    bool destinationMade = false;    // this installation made it: all that is in it is its own
    CEntrySource* entries = nullptr; // standing on the first entry's tag
    uint32_t packageStart = 0;       // offset of the package in its file, for the progress bar
    CFilesInUse* filesInUse = nullptr; // receives the file in use that ended the installation
};
