// The registries of cell types, fonts, bitmaps and data sources. Registry indexes are
// handed out as identifiers, so they stay valid while their entry lives.

#include "grid/CUGCtrl.h"

#include <cwchar>

#include "grid/CUGDataSource.h"

// ---- cell types ----

int CUGCtrl::RegisterCellType(CUGCellType* type) {
    if (!type)
        return -1;
    int index = cellTypes->Add(type);
    if (index >= 0)
        type->SetFrame(this, index);
    return index;
}

int CUGCtrl::UnregisterCellType(int index) {
    return cellTypes->Delete(index) == 0 ? GRID_SUCCESS : GRID_ERROR;
}

CUGCellType* CUGCtrl::GetCellType(int index) {
    if (index <= 0)
        return &standardType;
    auto* type = static_cast<CUGCellType*>(cellTypes->GetPointer(index));
    return type ? type : &standardType;
}

CUGCellType* CUGCtrl::CellTypeOf(const CUGCell& cell) {
    return cell.HasProperty(CELLPROP_CELLTYPE) ? GetCellType(cell.GetCellType()) : &standardType;
}

// ---- fonts ----

int CUGCtrl::RegisterFont(int height, int width, int escapement, int orientation, int weight,
                          BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                          BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                          LPCTSTR faceName) {
    if (!faceName || std::wcslen(faceName) >= LF_FACESIZE)
        faceName = L"";
    for (int i = 0; i < fonts->GetCapacity(); ++i) {
        auto* font = static_cast<CFont*>(fonts->GetPointer(i));
        if (!font)
            continue;
        LOGFONT lf{};
        font->GetLogFont(&lf);
        if (lf.lfHeight == height && lf.lfWidth == width && lf.lfEscapement == escapement &&
            lf.lfOrientation == orientation && lf.lfWeight == weight && lf.lfItalic == italic &&
            lf.lfUnderline == underline && lf.lfStrikeOut == strikeOut && lf.lfCharSet == charSet &&
            lf.lfOutPrecision == outPrecision && lf.lfClipPrecision == clipPrecision &&
            lf.lfQuality == quality && lf.lfPitchAndFamily == pitchAndFamily &&
            std::wcscmp(lf.lfFaceName, faceName) == 0) {
            fonts->UpdateParam(i, fonts->GetParam(i) + 1);
            return i;
        }
    }
    auto font = std::make_unique<CFont>();
    if (!font->CreateFont(height, width, escapement, orientation, weight, italic, underline,
                          strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily,
                          faceName))
        return -1;
    int index = fonts->Add(font.get(), 1);
    if (index >= 0)
        font.release(); // the registry owns it now
    return index;
}

int CUGCtrl::UnregisterFont(int index) {
    auto* font = static_cast<CFont*>(fonts->GetPointer(index));
    if (!font)
        return GRID_ERROR;
    int uses = fonts->GetParam(index) - 1;
    if (uses > 0) {
        fonts->UpdateParam(index, uses);
        return GRID_SUCCESS;
    }
    fonts->Delete(index);
    for (auto& sheet : sheets)
        if (sheet->defFont == font)
            sheet->defFont = nullptr;
    delete font;
    return GRID_SUCCESS;
}

CFont* CUGCtrl::GetFont(int index) const {
    return static_cast<CFont*>(fonts->GetPointer(index));
}

int CUGCtrl::SetStandardFont(CFont* font) {
    if (!font)
        return GRID_ERROR;
    gridInfo->defFont = font;
    return GRID_SUCCESS;
}

int CUGCtrl::SetStandardFont(int index) {
    return SetStandardFont(GetFont(index));
}

// ---- bitmaps ----

int CUGCtrl::RegisterBitmap(UINT resourceId) {
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->LoadBitmap(resourceId))
        return -1;
    int index = bitmaps->Add(bitmap.get());
    if (index >= 0)
        bitmap.release();
    return index;
}

int CUGCtrl::RegisterBitmap(LPCTSTR fileName) {
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->LoadBitmapFile(fileName))
        return -1;
    int index = bitmaps->Add(bitmap.get());
    if (index >= 0)
        bitmap.release();
    return index;
}

int CUGCtrl::UnregisterBitmap(int index) {
    auto* bitmap = static_cast<CBitmap*>(bitmaps->GetPointer(index));
    if (!bitmap)
        return GRID_ERROR;
    bitmaps->Delete(index);
    delete bitmap;
    return GRID_SUCCESS;
}

CBitmap* CUGCtrl::GetBitmap(int index) const {
    return static_cast<CBitmap*>(bitmaps->GetPointer(index));
}

// ---- data sources ----

int CUGCtrl::RegisterDataSource(CUGDataSource* source) {
    if (!source)
        return -1;
    std::size_t slot = 1;
    while (slot < dataSources.size() && dataSources[slot])
        ++slot;
    if (slot == dataSources.size())
        dataSources.resize(dataSources.size() + 16, nullptr);
    dataSources[slot] = source;
    source->SetGrid(this);
    source->SetSourceId(static_cast<int>(slot));
    if (!source->GetSortComparer()) // its row sort asks this grid's OnSortCompare
        source->SetSortComparer(&sortHook_);
    return static_cast<int>(slot);
}

CUGDataSource* CUGCtrl::GetDataSource(int index) const {
    if (index == 0)
        return gridInfo->builtinStore.get();
    if (index < 0 || index >= static_cast<int>(dataSources.size()))
        return nullptr;
    return dataSources[static_cast<std::size_t>(index)];
}

int CUGCtrl::SelectDataSource(int index) {
    CUGDataSource* source = GetDataSource(index);
    if (!source)
        return GRID_ERROR;
    gridInfo->defDataSource = source;
    gridInfo->defDataSourceIndex = index;
    for (ColumnInfo& column : gridInfo->colInfo)
        column.dataSource = source;
    return GRID_SUCCESS;
}
