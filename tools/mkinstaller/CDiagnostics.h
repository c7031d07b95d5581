#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// Where an offset of a text lies for a person: line and column, both from 1. Lines end at CR,
// LF or CR LF, as in the description; columns count characters (UTF-8 sequences as one when
// the text is UTF-8), and a leading byte-order mark takes no column.
class CTextPositions {
public:
    explicit CTextPositions(const std::string& text);
    void At(size_t offset, int& line, int& column) const;

private:
    const std::string& m_text;
    std::vector<size_t> m_lineStarts;
    bool m_utf8;
};

// One problem found in a file, in the form compilers use, so that editors and CI jump to it:
//   file:line:column: error: message
//   file:line:column: note: what to do about it
struct Diagnostic {
    int line = 1;
    int column = 1;
    bool error = true;
    std::string message;
    std::string note;
    // A second place that belongs to the problem (such as the first of two sections); 0: none.
    int noteLine = 0;
    int noteColumn = 0;
    // A problem of another file (a file of the product): its path, printed in place of the
    // description's name, line and column.
    std::string path;
};

class CDiagnostics {
public:
    void Add(const CTextPositions& positions, size_t offset, bool error, const std::string& message,
             const std::string& note = std::string());
    void Add(const Diagnostic& diagnostic) { m_all.push_back(diagnostic); }
    void AddPath(const std::string& path, bool error, const std::string& message, const std::string& note = std::string());

    bool HasErrors() const;
    int Count(bool errors) const;
    const std::vector<Diagnostic>& All() const { return m_all; }
    // Every problem in the order of the file's lines, those of other files after them.
    void Print(std::FILE* out, const std::string& file) const;

private:
    std::vector<Diagnostic> m_all;
};
