#pragma once

#include "framework/LString.h"
#include "install/InstallResult.h"

class CInstJournal;
class CTempFile;
struct CJournalRecord;

// Changes to the destination that the file installation and the uninstaller copy make alike,
// each entered in the journal before it is made. `url` is the file URL of `path`.

// The backup and temporary names beside a file ("tmp" or "ins" with the tick count, then with
// 2, 3 ... appended while a name is in use) are entered in the journal before anything takes
// them, so that whatever a crash leaves under such a name is known; a name found in use is
// dropped from the journal again, so that nothing ever acts on a file of that name that is
// not the installation's own. The backup names of every file below the destination are entered
// ahead, all at once, when the first of them is moved aside (those of a folder outside it, when
// its first file is), and reach the disk before that rename: a power cut never keeps a rename
// whose record it lost.

// Moves the existing file at `path` aside under a backup name in its folder, which a commit
// deletes and a rollback restores. A file that another program holds without sharing it is
// kInsFileInUse.
InstallResult MoveAside(CInstJournal& journal, const LString& path, const LString& url);

// Makes the temporary file that the new file at `path` is written to, beside it, once the
// way is clear: a folder there is kInsFolderInTheWay, and a file there is moved aside under a
// backup name, which a commit deletes and a rollback restores. `record` is the new file's
// pending record for PlaceNewFile.
// In a folder that this installation made (`ownFolder`) nothing is anyone else's: the file is
// made at its own name straight away, its record naming it, so that a crash while it is being
// written takes it along. Where that name is taken already (a second entry of one name), the
// file goes the common way.
InstallResult StartNewFile(CInstJournal& journal, const LString& path, const LString& url, bool ownFolder,
                           CTempFile& temp, CJournalRecord*& record);
// Gives the written temporary file the name of `path` (unless it has it already), closes it
// and marks its record done.
InstallResult PlaceNewFile(CTempFile& temp, const LString& path, CJournalRecord* record);
// Creates the folder at `path`; `made` tells whether it did. A folder that was there before is
// used without a record, so that a rollback leaves it, even empty. A plain file in the way may
// be the user's own: it is neither deleted nor renamed, and the result is
// kInsCannotCreateFolder.
InstallResult CreateFolder(CInstJournal& journal, const LString& path, const LString& url, bool* made = nullptr);
