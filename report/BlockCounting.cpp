#include "report/BlockCounting.h"

#include <vector>

#include <aced.h>
#include <acutmem.h>
#include <dbents.h>
#include <dbsymtb.h>

#include "pricelist/PriceFile.h"
#include "report/CalcPriceDialog.h"

namespace {

// The one lower-casing used for the price list's names and the drawing's block names alike.
void LowerCaseName(CString& name) {
    name.MakeLower();
}

// Frees the selection set on every way out of the walk.
class SelectionSetRelease {
public:
    explicit SelectionSetRelease(const ads_name set) : set_{set[0], set[1]} {}
    ~SelectionSetRelease() { acedSSFree(set_); }
    SelectionSetRelease(const SelectionSetRelease&) = delete;
    SelectionSetRelease& operator=(const SelectionSetRelease&) = delete;

private:
    ads_name set_;
};

// The name of the block definition a selected entity refers to, lower-cased.
bool ReferencedBlockName(const ads_name entity, CString& name) {
    AcDbObjectId referenceId;
    acdbGetObjectId(referenceId, entity);
    AcDbBlockReference* reference = nullptr;
    if (acdbOpenObject(reference, referenceId, AcDb::kForRead) != Acad::eOk) {
        acedAlert(L"\nCannot open the object INSERT");
        return false;
    }
    AcDbObjectId blockId = reference->blockTableRecord();
    reference->close();

    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) {
        acedAlert(L"\nCannot open the object BlockTableRecord");
        return false;
    }
    ACHAR* copy = nullptr;
    block->getName(copy);
    name = copy;
    LowerCaseName(name);
    block->close();
    acutDelString(copy);
    return true;
}

} // namespace

bool ReadReportPriceFile(CalcPriceDialog& dialog, const wchar_t* path) {
    FILE* file = _wfopen(path, L"r");
    if (!file) {
        acedAlert(FileOpenFailedMessage(path));
        return false;
    }
    dialog.results.SetSize(0, kResultsGrowBy);
    std::vector<PriceRecord> records;
    ReadPriceRecords(file, records);
    for (const PriceRecord& record : records)
        dialog.results.Add(ResultString(record.name, _wtof(record.price), record.description));
    fclose(file);
    dialog.results.FreeExtra();
    return true;
}

bool SelectBlockReferences(ads_name set) {
    wchar_t insert[] = L"INSERT";
    resbuf filter{};
    filter.restype = 0; // entity type
    filter.resval.rstring = insert;
    return acedSSGet(nullptr, nullptr, nullptr, &filter, set) == RTNORM;
}

bool CountBlockReferences(CalcPriceDialog& dialog) {
    dialog.nameIndex.InitHashTable(kNameIndexBuckets);
    for (INT_PTR i = 0; i < dialog.results.GetSize(); ++i) {
        LowerCaseName(dialog.results[i].name);
        // Of two records with one name the later is the one counted.
        dialog.nameIndex.SetAt(dialog.results[i].name, static_cast<int>(i));
    }

    ads_name set = {0, 0};
    if (!SelectBlockReferences(set))
        return false;
    SelectionSetRelease release(set);

    int length = 0;
    acedSSLength(set, &length);
    for (int i = 0; i < length; ++i) {
        ads_name entity = {0, 0};
        acedSSName(set, i, entity);
        CString name;
        if (!ReferencedBlockName(entity, name))
            return false;
        int index = -1;
        if (dialog.nameIndex.Lookup(name, index)) {
            ResultString& record = dialog.results[index];
            record.quantity += 1;
            record.total += record.price;
        } else if (!dialog.grid.priceFileLoaded) {
            INT_PTR added = dialog.results.Add(ResultString(name, 0.0, 1, CString(), 0.0));
            dialog.nameIndex.SetAt(name, static_cast<int>(added));
        }
    }
    return true;
}
