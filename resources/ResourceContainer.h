#pragma once

#include <string>
#include <vector>

// The byte form shared by the four custom resource types: a 16-bit little-endian count, then
// that many NUL-terminated strings back to back.
namespace ResourceContainer {

constexpr int kMaxStrings = 0x7FFF; // the count is read as a signed 16-bit number

// False (out untouched) when there are more strings than the count can say or a string holds
// a NUL byte.
bool Encode(const std::vector<std::string>& strings, std::string* out);

} // namespace ResourceContainer
