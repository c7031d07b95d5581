#pragma once

#include <string>
#include <vector>

class CDiagnostics;

// Checks an installation description and reports every problem at its line and column. The
// installer skips whatever it cannot use without a word: a misspelt section, a registry line
// with an unknown hive, a shortcut line whose quote is never closed. The packer finds these
// before a product ships. The text is read with the installer's own readers (its description
// scanner and the line classes of the registry, shortcut and INF steps), so the check cannot
// read a line otherwise than an installation does.
class CDescCheck {
public:
    // product: the product's files and folders as paths below the destination folder,
    // '\'-separated, in the build machine's text; null when the tree is not known. With it,
    // shortcut targets and INF files under %DEST% are looked up in the product.
    static void Check(const std::string& text, const std::vector<std::string>* product, CDiagnostics& problems);
};
