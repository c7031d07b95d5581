#pragma once

#include <string>

namespace testsupport {

// Folder for this test's artefacts (screenshots, logs): INSTALLER_ARTIFACTS as set by the
// Wine launcher, else the current directory. Ends without a separator.
std::string ArtifactsDir();
std::string ArtifactPath(const std::string& name);

// True when the launcher runs this test on the shared display (a GUI test).
bool IsGuiRun();

} // namespace testsupport
