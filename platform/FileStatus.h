#pragma once

// Outcome of every file-system operation object.
enum class FileStatus : int {
    Ok = 0,
    Failed = 1,   // any failure not listed below
    NotFound = 2, // the file or the path to it does not exist
    Conflict = 3, // the name is taken (or the item is of the wrong kind); for the finder also:
                  // no such entry, or no further entry
    InUse = 4,    // another program holds the file open without sharing it
};

// What create and rename operations do when the name is already taken.
enum class ConflictMode : int {
    UseExisting = 0, // accept an existing item of the wanted kind
    Fail = 1,        // report a conflict
    Number = 2,      // retry with 2, 3, 4 ... inserted before the extension (2 and above)
};
