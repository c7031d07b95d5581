#pragma once

#include <string>
#include <vector>

class CDiagnostics;

// One section of a description as an installation reads it, placed in the vendor's file.
struct DescSectionRead {
    std::string key;
    long language = 1033;
    int line = 0;             // of its tag in the vendor's file
    std::string value;        // the bytes the installer reads (a list's lines joined by CR LF)
    std::vector<unsigned> users; // the languages of the users who get it (a sample of each kind)
};

// The product's files and folders as the check sees them.
struct DescProductEntry {
    std::string packed; // below the product's folder, '\'-separated, in the package's code page
    std::string path;   // on this machine, for messages
    bool folder = false;
};
using DescProduct = std::vector<DescProductEntry>;

// Checks an installation description and reports every problem at its line and column. The
// installer skips whatever it cannot use without a word: a misspelt section, a registry line
// with an unknown hive, a shortcut line whose quote is never closed. The packer finds these
// before a product ships. The check reads the bytes that will be packed, with the installer's
// own readers (its description scanner and parser, and the line classes of the registry,
// shortcut and INF steps), and maps every place back to the vendor's file: it cannot read a
// description otherwise than an installation does.
class CDescCheck {
public:
    // text: the vendor's file; codePage: the package's. Fills packed with the description as
    // it goes into the package, and sections (when given) with what the installer reads.
    // product: null when the tree is not known. With it, shortcut targets and INF files under
    // %DEST% are looked up, and paths too long for the installer's file functions reported.
    static void Check(const std::string& text, unsigned codePage, const DescProduct* product, CDiagnostics& problems,
                      std::string& packed, std::vector<DescSectionRead>* sections = nullptr);
};
