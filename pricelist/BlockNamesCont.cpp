#include "pricelist/BlockNamesCont.h"

#include <acutmem.h>
#include <dbapserv.h>
#include <dbsymtb.h>

#include <afx.h>

int BlockNamesContSort::Compare(blname* const* a, blname* const* b) const {
    return _wcsicmp((*a)->name, (*b)->name);
}

BlockNamesCont::BlockNamesCont() = default;

BlockNamesCont::~BlockNamesCont() {
    Clear();
}

int BlockNamesCont::LoadFromDrawing() {
    Clear();
    names.SetSize(0, kGrowBy);
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (!database || database->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return 1;
    AcDbBlockTableIterator* iterator = nullptr;
    if (table->newIterator(iterator, true, true) == Acad::eOk) {
        for (; !iterator->done(); iterator->step(true, true)) {
            AcDbBlockTableRecord* record = nullptr;
            if (iterator->getRecord(record, AcDb::kForRead, false) != Acad::eOk)
                continue; // a record that cannot be opened is left out
            ACHAR* name = nullptr;
            if (record->getName(name) == Acad::eOk) {
                if (name[0] != L'*')
                    Append(name);
                acutDelString(name);
            }
            record->close();
        }
        delete iterator;
    }
    table->close();
    return 1;
}

void BlockNamesCont::SortByName() {
    BlockNamesContSort sorter;
    sorter.Sort(names);
}

void BlockNamesCont::BuildChoiceList(CString& out) const {
    out = L"";
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        if (names[i]->used == 0) {
            out += names[i]->name;
            out += L'\n';
        }
    }
}

void BlockNamesCont::MarkUsed(const wchar_t* name, int value) {
    blname key;
    key.name = name;
    blname* keyAddress = &key;
    BlockNamesContSort sorter;
    int found = sorter.Find(&keyAddress, names);
    if (found >= 0)
        names[found]->used = value;
}

void BlockNamesCont::ClearMarks() {
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        names[i]->used = 0;
}

void BlockNamesCont::Clear() {
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        delete names[i];
    names.RemoveAll();
}

void BlockNamesCont::Append(const wchar_t* name) {
    auto* record = new blname;
    record->name = name;
    names.Add(record);
}
