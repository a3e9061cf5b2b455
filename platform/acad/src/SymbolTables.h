#pragma once
// The drawing's symbol tables by name: finding a record (names compare without regard to case),
// the name a record has in the file, and adding or renaming a record, with the slots a new
// record needs (a block gets its BLOCK and ENDBLK as well). The objects of the records are the
// store's business.
#include "DrawingHeader.h"
#include "DrawingIndex.h"
#include "acadstrc.h"

#include <string>
#include <string_view>

namespace kestrel::acad {

class SymbolTables {
public:
    SymbolTables(DrawingIndex& index, const DrawingHeader& header)
        : index_(index), header_(header) {}

    // kNone when the table has no record of the name (or only an erased one, unless asked).
    uint32_t find(int table, std::wstring_view name, bool includeErased) const;
    // The name as the record in the file gives it ("" for a record made here).
    std::wstring fileName(uint32_t s) const;
    // eOk when the table can take a record of the name; else eInvalidSymbolTableName or
    // eDuplicateRecordName.
    Acad::ErrorStatus canTake(int table, const std::wstring& name) const;
    // A new record's slot, listed under its name; kNone where the drawing has no place for it.
    uint32_t add(int table, const std::wstring& name);
    // A record made here takes another name; those of the file keep theirs (the file's
    // references name them).
    Acad::ErrorStatus rename(uint32_t s, const std::wstring& from, const std::wstring& to);
    int tableOf(uint32_t record) const;

private:
    uint32_t addBlock(const TableInfo& table);
    DrawingIndex& index_;
    const DrawingHeader& header_;
};

} // namespace kestrel::acad
