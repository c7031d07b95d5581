#pragma once

// Copies the running program, package included, as "Uninstall.exe" into the folder
// "Uninstall" inside the destination, with the program's times and read-only bit. A previous
// uninstaller there is replaced. Nothing is reported.
void WriteUninstaller(const char* destination, const char* ownPath);

// Arranges the removal of the running uninstaller once it has exited: writes the self-removal
// batch into the temporary folder and starts it hidden at idle priority. The batch deletes the
// uninstaller, removes its folder and the destination when they are empty, and deletes itself.
void RemoveSelf(const char* ownPath, const char* tempFolder);
