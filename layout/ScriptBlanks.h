#pragma once

#include <string>

// The script with the blanks (spaces and tabs) left out that the reader would skip without
// their separating two tokens: every layout travels in every installer, where a blank around
// "=" or after "," is a byte for nothing. A run of blanks between two bytes of names or
// numbers stays as one space; line ends, which read as ";", stay as they are.
std::string WithoutSpareBlanks(const std::string& script);
