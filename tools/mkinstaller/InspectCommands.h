#pragma once

#include <string>

// The packer's commands that read an installer back, through the installer's own reader.
// Each prints its errors (naming the file) on stderr and returns the exit status. codePage is
// the package's code page, or 0 for the one the package records.

// Prints the description, then every entry with its size and times.
int ListPackage(const std::string& file, unsigned codePage);
// Decodes everything and checks the structure and the check sums: 0, or 1 with the reason.
int VerifyPackage(const std::string& file, unsigned codePage);
// Writes what an installation would write into a folder that is missing or empty. Nothing is
// written unless the whole package verifies, and a failure part way removes what was written.
int ExtractPackage(const std::string& file, const std::string& folder, unsigned codePage);
