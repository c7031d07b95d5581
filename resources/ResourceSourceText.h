#pragma once

#include <string>
#include <vector>

// Where and why a resource source text was refused; line is 1-based.
struct ResourceTextError {
    int line = 0;
    std::string message;
};

// Reads the source form of a resource: a list of strings, each opened by a line that begins
// with "==" (the rest of that line is a comment) and made of the lines up to the next "==" line,
// joined with "\n" and without a line feed after the last one. Before the first "==" line only
// blank lines and lines beginning with "#" may stand. A CR before a line feed is dropped, so
// files saved with CR LF read the same. False, with the error filled, for text before the first
// string or a NUL byte (which the container cannot hold).
bool ParseResourceSourceText(const std::string& text, std::vector<std::string>* strings,
                             ResourceTextError* error);
