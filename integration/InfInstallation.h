#pragma once

class CModule;
class CTextLines;
class CVariables;

// Installs the INF lines of the description in list order: each INF file is registered with
// the system and its install section's file operations are carried out. Lines meant for the
// other Windows family are skipped. Nothing here stops an installation: always 0.
int InstallInfLines(const CVariables& variables, const CTextLines& lines);

// One INF file; `setupApi` holds the Setup API library. An empty section only registers the
// file. The outcome is not reported.
void InstallInf(const CModule& setupApi, const char* infPath, const char* section);
