#pragma once

// Arranges the removal of the running uninstaller once it has exited: writes the self-removal
// batch into the temporary folder and starts it hidden at idle priority. The batch deletes the
// uninstaller, removes its folder and the destination when they are empty, and deletes itself.
void RemoveSelf(const char* ownPath, const char* tempFolder);
