#include "pricelist/SettingsFiles.h"

#include <tchar.h>

namespace {
// Longer names are cut here, at the platform's path limit.
constexpr int kPathLimit = 4096;
} // namespace

void GetSettingsPaths(const wchar_t* modulePath, SettingsCopy copy, CString& first,
                      CString& second) {
    const wchar_t* widthsName = copy == SettingsCopy::Template ? L"kestrel1.set" : L"kestrel2.set";
    // The folder keeps its own spelling: on a file system that tells capitals apart, a
    // lower-cased folder would be another one, or none.
    const CString path(modulePath);
    int separator = path.ReverseFind(L'/');
    if (separator < 0)
        separator = path.ReverseFind(L'\\');
    const CString folder = path.Left(separator + 1);
    first = folder + widthsName;
    second = folder + L"filename.set";
}

int ReadColumnWidths(const wchar_t* path, int* widths, int count) {
    for (int i = 0; i < count; ++i)
        widths[i] = -1;
    FILE* file = _wfopen(path, L"r");
    if (!file)
        return 0;
    for (int i = 0; i < count; ++i)
        fwscanf(file, L"%i ", &widths[i]);
    fclose(file);
    return 1;
}

int WriteColumnWidths(const wchar_t* path, const int* widths, int count) {
    FILE* file = _wfopen(path, L"w");
    if (!file)
        return 0;
    for (int i = 0; i < count; ++i)
        fwprintf(file, L"%i ", widths[i]);
    return fclose(file) == 0 ? 1 : 0;
}

int ReadLastPriceFile(const wchar_t* path, CString& name) {
    FILE* file = _wfopen(path, L"r");
    if (!file)
        return 0;
    CString line;
    for (wint_t c; line.GetLength() < kPathLimit && (c = fgetwc(file)) != WEOF && c != L'\n';)
        line += static_cast<wchar_t>(c);
    fclose(file);
    name = line;
    return 1;
}

int WriteLastPriceFile(const wchar_t* path, const wchar_t* name) {
    FILE* file = _wfopen(path, L"w");
    if (!file)
        return 0;
    fwprintf(file, L"%s", name);
    return fclose(file) == 0 ? 1 : 0;
}
