#pragma once

#include "install/InstallResult.h"
#include "platform/CUrl.h"

class CInstJournal;
class CInstallProgress;
class CEntrySource;
struct CInstallRun;

// Writes the package's folders and files into the destination folder, every change entered in
// the journal before it is made, or collects what an uninstallation removes. Both walk the
// entries from the reader's current position to the end of the entries.
class CFileInstaller {
public:
    CFileInstaller(const CInstallRun& run, CInstallProgress& progress, CInstJournal& journal);

    // Installs every entry. A stop request, a damaged package (also one whose entry names
    // point outside the destination), a folder where a file goes, a file where a folder goes,
    // a failed write or a lack of memory ends it with the matching code; the caller then
    // rolls the journal back.
    InstallResult InstallFiles();
    // Enters every file and folder of the package for removal without touching the disk.
    // Fails with kInsBroken (and the caller clears the journal) when an entry is damaged or
    // names something outside the destination.
    InstallResult CollectRemovals();

private:
    InstallResult InstallFile();
    InstallResult InstallFolder();
    InstallResult ReadEntry(CUrl& url);
    void ShowProgress();

    const CInstallRun& m_run;
    CEntrySource& m_entries;
    CInstallProgress& m_progress;
    CInstJournal& m_journal;
    CUrl m_base;
    // The URL of a folder this installation made, the one the walk of the entries is in: files
    // below it are made without asking what is there already.
    CUrl m_ownFolder;
    LString m_knownFolder; // the folder on the way of the last file, found there
};

// The procedures' entry points.
InstallResult InstallFiles(const CInstallRun& run, CInstallProgress& progress, CInstJournal& journal);
InstallResult CollectRemovals(const CInstallRun& run, CInstallProgress& progress, CInstJournal& journal);
