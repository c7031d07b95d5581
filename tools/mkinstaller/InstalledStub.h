#pragma once

#include <string>

// The installer stubs that are installed with the packer: <prefix>/share/mkinstaller/
// Installer-x86.exe and Installer-x64.exe, where the packer is <prefix>/bin/mkinstaller. They are
// found from the packer's own path, so an installed or unpacked tree works wherever it lies.

// True for the architectures a stub is installed for: "x86" and "x64".
bool IsStubArch(const std::string& arch);
// The stub for `arch` in the tree that holds the packer at `packerPath`.
std::string StubBesidePacker(const std::string& packerPath, const std::string& arch);
// The installed stub for `arch` beside the running packer; empty, with `error` naming the file
// looked for, when it is not there.
std::string InstalledStub(const std::string& arch, std::string& error);
