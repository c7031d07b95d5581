#include "tools/mkinstaller/CDiagnostics.h"

#include "tools/mkinstaller/CDescText.h"

#include <algorithm>
#include <climits>

CTextPositions::CTextPositions(const std::string& text) : m_text(text), m_utf8(CDescText::IsUtf8(text))
{
    m_lineStarts.push_back(0);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (text[i] == '\r' || text[i] == '\n')
            m_lineStarts.push_back(i + 1);
    }
}

void CTextPositions::At(size_t offset, int& line, int& column) const
{
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const size_t index = static_cast<size_t>(next - m_lineStarts.begin()) - 1;
    line = static_cast<int>(index) + 1;
    size_t start = m_lineStarts[index];
    if (start == 0 && m_text.compare(0, 3, CDescText::kByteOrderMark) == 0 && offset >= 3)
        start = 3;
    column = 1;
    for (size_t i = start; i < offset && i < m_text.size(); ++i) {
        // UTF-8 continuation bytes belong to the character before them.
        if (!m_utf8 || (static_cast<unsigned char>(m_text[i]) & 0xC0) != 0x80)
            ++column;
    }
}

void CDiagnostics::Add(const CTextPositions& positions, size_t offset, bool error, const std::string& message,
                       const std::string& note)
{
    Diagnostic diagnostic;
    positions.At(offset, diagnostic.line, diagnostic.column);
    diagnostic.error = error;
    diagnostic.message = message;
    diagnostic.note = note;
    m_all.push_back(diagnostic);
}

void CDiagnostics::AddPath(const std::string& path, bool error, const std::string& message, const std::string& note)
{
    Diagnostic diagnostic;
    diagnostic.path = path;
    diagnostic.line = INT_MAX;
    diagnostic.error = error;
    diagnostic.message = message;
    diagnostic.note = note;
    m_all.push_back(diagnostic);
}

int CDiagnostics::Count(bool errors) const
{
    int count = 0;
    for (const Diagnostic& diagnostic : m_all)
        count += diagnostic.error == errors ? 1 : 0;
    return count;
}

bool CDiagnostics::HasErrors() const
{
    for (const Diagnostic& diagnostic : m_all)
        if (diagnostic.error)
            return true;
    return false;
}

void CDiagnostics::Print(std::FILE* out, const std::string& file) const
{
    std::vector<Diagnostic> sorted = m_all;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    for (const Diagnostic& d : sorted) {
        const std::string where = d.path.empty() ? file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) : d.path;
        std::fprintf(out, "%s: %s: %s\n", where.c_str(), d.error ? "error" : "warning", d.message.c_str());
        if (d.note.empty())
            continue;
        const std::string noteWhere =
            d.noteLine ? file + ":" + std::to_string(d.noteLine) + ":" + std::to_string(d.noteColumn) : where;
        std::fprintf(out, "%s: note: %s\n", noteWhere.c_str(), d.note.c_str());
    }
}
