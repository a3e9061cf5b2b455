#pragma once
// The report as a text file of fixed-width columns: a heading line and one line per grid row
// in the grid's order, right-aligned fields of 10 (the description 20) characters that a
// longer text pushes to the right, one blank between fields. With the prices hidden the file
// has three columns and no summary line. One byte per character and CR LF line ends, as every
// file of the module; a character the file cannot hold is written as "?", and the command line
// says so once, naming the file.

#include <afx.h>

class MyCug2;

// The name the file dialog proposes: the drawing's name with ".txt" for its extension, after
// the price file's name without its extension and a "-" when a price file is in use. Each cut
// of an extension takes at most the 4 characters the text has.
CString ProposedReportName(const wchar_t* drawingName, const wchar_t* priceFile);

// Writes the grid's report to `path` opened with `mode`. Answers 1 when the file was written
// and 0, after the alert "File %s could  not be opened", when it did not open.
int WriteReportText(MyCug2& grid, const wchar_t* path, const wchar_t* mode);
