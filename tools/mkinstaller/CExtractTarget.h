#pragma once

#include "tools/mkinstaller/CPackageWalk.h"

#include <cstdio>
#include <string>
#include <vector>

class CProgressBar;

// Writes the package's folders and files below a folder, remembering everything it creates so
// that a failure can take it all away again.
class CExtractTarget : public CPackageVisitor {
public:
    CExtractTarget(const std::string& folder, CProgressBar* progress);
    ~CExtractTarget() override;

    // The folder must be missing or empty, so that nothing already there is replaced.
    bool Prepare();
    // Removes what this target created, newest first.
    void Undo();

    bool Folder(const WalkedEntry& entry) override;
    bool BeginFile(const WalkedEntry& entry) override;
    bool FileData(const uint8_t* bytes, uint32_t count) override;
    bool EndFile(const WalkedEntry& entry) override;
    std::string Error() const override { return m_error; }

private:
    bool MakeFolders(const std::string& relative);
    bool Fail(const std::string& reason);

    std::string m_folder;
    CProgressBar* m_progress;
    std::vector<std::string> m_created; // native paths, in creation order
    std::FILE* m_file = nullptr;
    std::string m_error;
};
