#include "report/ReportText.h"

#include <tchar.h>

#include <aced.h>

#include "pricelist/PriceFile.h"
#include "report/MyCug2.h"
#include "report/ReportState.h"

namespace {

constexpr wchar_t kPricedLine[] = L"%10s %10s %10s %20s %10s\n";
constexpr wchar_t kUnpricedLine[] = L"%10s %10s %20s\n";
constexpr int kExtensionLength = 4; // ".dwg", ".prc"
constexpr wchar_t kUnstorable = L'?';

// The text without its last `count` characters, or empty when it is shorter.
CString WithoutLast(const CString& text, int count) {
    return text.Left(text.GetLength() > count ? text.GetLength() - count : 0);
}

// Writes one line, each character the file cannot hold as "?"; answers how many were.
int WriteLine(FILE* file, CString line) {
    int replaced = 0;
    for (int i = 0; i < line.GetLength(); ++i)
        if (static_cast<unsigned>(line[i]) > 0xFF) {
            line.SetAt(i, kUnstorable);
            ++replaced;
        }
    fputws(line, file);
    return replaced;
}

} // namespace

CString ProposedReportName(const wchar_t* drawingName, const wchar_t* priceFile) {
    CString name = drawingName;
    if (priceFile && *priceFile)
        name = WithoutLast(priceFile, kExtensionLength) + L"-" + name;
    return WithoutLast(name, kExtensionLength) + L".txt";
}

int WriteReportText(MyCug2& grid, const wchar_t* path, const wchar_t* mode) {
    FILE* file = _wfopen(path, mode);
    if (!file) {
        acedAlert(FileOpenFailedMessage(path));
        return 0;
    }
    const wchar_t* const* titles = reportColumnTitles;
    CString line;
    if (showPrice)
        line.Format(kPricedLine, titles[0], titles[1], titles[2], titles[3], titles[4]);
    else
        line.Format(kUnpricedLine, titles[0], titles[2], titles[3]);
    int replaced = WriteLine(file, line);
    for (long row = 0; row < grid.GetRowCount(); ++row) {
        CString name = grid.GetCellText(0, row);
        if (name == L"Summary:" && !showPrice)
            continue;
        CString price = grid.GetCellText(1, row), quantity = grid.GetCellText(2, row),
                description = grid.GetCellText(3, row), total = grid.GetCellText(4, row);
        if (showPrice)
            line.Format(kPricedLine, name, price, quantity, description, total);
        else
            line.Format(kUnpricedLine, name, quantity, description);
        replaced += WriteLine(file, line);
    }
    fclose(file);
    if (replaced > 0)
        acutPrintf(L"\nWarning: %i character(s) that a report file cannot hold were written as "
                   L"\"?\" to %s\n",
                   replaced, path);
    return 1;
}
