#pragma once
// The drawing's block definitions, offered in the price grid's drop list. Each record marks
// whether its name already stands in the grid; the list offers only the others. Names are
// ordered and found without regard to the case of A-Z, as the drawing treats them.

#include <afxtempl.h>

#include "pricelist/RLsort.h"

// One block definition of the drawing.
struct blname {
    CString name;
    int used = 0; // 1 when the name stands in the grid's Block name column
};

// Orders records by name, folding A-Z to a-z and comparing every other character by its code.
class BlockNamesContSort : public RLsort<blname*, blname*> {
public:
    int Compare(blname* const* a, blname* const* b) const override;
};

class BlockNamesCont {
public:
    BlockNamesCont();
    virtual ~BlockNamesCont();
    BlockNamesCont(const BlockNamesCont&) = delete;
    BlockNamesCont& operator=(const BlockNamesCont&) = delete;

    // Replaces the records by the working drawing's block definitions in block-table order,
    // leaving out those whose names begin with "*" (model space, layouts, anonymous blocks).
    // Always 1.
    int LoadFromDrawing();
    void SortByName();
    // The names not used, in array order, each followed by "\n".
    void BuildChoiceList(CString& out) const;
    // Sets `used` of the record with that name; a name not held changes nothing. The records
    // must be sorted.
    void MarkUsed(const wchar_t* name, int value);
    void ClearMarks();
    void Clear();

    // A new unused record at the end.
    void Append(const wchar_t* name);
    INT_PTR GetSize() const { return names.GetSize(); }
    const blname& At(INT_PTR index) const { return *names[index]; }

private:
    static constexpr INT_PTR kGrowBy = 100;
    CArray<blname*, blname*> names; // owns the records
};
