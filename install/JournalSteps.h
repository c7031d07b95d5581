#pragma once

#include "framework/LString.h"
#include "install/InstallResult.h"

class CInstJournal;

// Changes to the destination that the file installation and the uninstaller copy make alike,
// each entered in the journal before it is made. `url` is the file URL of `path`.

// Moves the existing file at `path` aside under a backup name ("tmp" and the tick count,
// numbered when taken) in its folder; a commit deletes the backup, a rollback restores it.
InstallResult MoveAside(CInstJournal& journal, const LString& path, const LString& url);
// Creates the folder at `path`. A folder that was there before is used without a record, so
// that a rollback leaves it, even empty. A plain file in the way may be the user's own: it is
// neither deleted nor renamed, and the result is kInsCannotCreateFolder.
InstallResult CreateFolder(CInstJournal& journal, const LString& path, const LString& url);
