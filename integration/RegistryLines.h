#pragma once

class CTextLines;
class CVariables;

// Applies the registry lines of a description list in list order: each line creates its key
// and, unless it names the key alone, writes its string value. Failing lines are skipped.
void WriteRegistryLines(const CVariables& variables, const CTextLines& lines);
// Undoes the lines in reverse order: a key line deletes its key with everything below it,
// a value line deletes its value.
void RemoveRegistryLines(const CVariables& variables, const CTextLines& lines);
