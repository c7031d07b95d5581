#pragma once

#include <string>
#include <vector>

// Why a file cannot serve as the installer stub of a build: not a Windows program, another
// program than this project's installer, or an installer that already carries a package (one
// built before, whose package would travel along unused). Empty when it can.
std::string StubProblem(const std::vector<char>& stub);
