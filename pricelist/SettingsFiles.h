#pragma once
// The settings files beside the module: "kestrel1.set" (the price grid's three column widths),
// "kestrel2.set" (the report grid's five) and "filename.set" (the last price file, shared by
// both dialogs). Widths are written as "%i " each, the name as "%s", neither with a line end.
// A settings file that cannot be opened is skipped; the callers carry on with defaults.

#include <afx.h>

enum class SettingsCopy {
    Template, // "kestrel1.set"
    Report,   // "kestrel2.set"
};

// Derives both settings paths from the module's own path: the widths file and "filename.set"
// in the module's folder (up to the last "/", else the last "\"), spelt as the folder is. A
// module path without a separator gives names relative to the current directory.
void GetSettingsPaths(const wchar_t* modulePath, SettingsCopy copy, CString& first,
                      CString& second);

// Reads up to `count` widths; every width not read is -1. Answers 0 when the file did not open.
int ReadColumnWidths(const wchar_t* path, int* widths, int count);
int WriteColumnWidths(const wchar_t* path, const int* widths, int count);

// Reads the first line of the file (up to the first line end or the end of the file) into
// `name`; the name is untouched when the file does not open (answer 0).
int ReadLastPriceFile(const wchar_t* path, CString& name);
int WriteLastPriceFile(const wchar_t* path, const wchar_t* name);
