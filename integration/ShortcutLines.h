#pragma once

class CTextLines;
class CVariables;

// Creates the shortcuts of a description list in list order, with the folders above them;
// an existing file at a shortcut's path is replaced. Lines naming one path create nothing.
void CreateShortcutLines(const CVariables& variables, const CTextLines& lines);
// Deletes each line's first path, file or folder tree, in reverse order.
void RemoveShortcutLines(const CVariables& variables, const CTextLines& lines);
