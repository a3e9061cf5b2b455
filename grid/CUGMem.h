#pragma once
// The grid's default data source: a sparse in-memory store of cells in doubly linked lists
// of rows and, per row, of columns. Rows and columns exist up to the highest index written;
// everything beyond reads as nothing stored. Access walks the links from a cached position,
// so walking the grid row by row or cell by cell costs a constant per step.

#include <optional>
#include <vector>

#include "grid/CUGCell.h"
#include "grid/CUGDataSource.h"
#include "grid/UGNodePool.h"

class CUGGridInfo;

class CUGMem : public CUGDataSource {
public:
    CUGMem() = default;
    ~CUGMem() override;

    // The grid state whose row and column counts bound a search and whose column table
    // follows column insertion and deletion. Without one a search finds nothing.
    void SetGridInfo(CUGGridInfo* info) { gridInfo_ = info; }
    CUGGridInfo* GetGridInfo() const { return gridInfo_; }

    int AppendRow() override { return 0; }
    int InsertRow(long row) override;
    int AppendCol() override { return 0; }
    int InsertCol(int col) override;
    int DeleteRow(long row) override;
    int DeleteCol(int col) override;
    int DeleteCell(int col, long row) override;
    int Empty() override;

    int GetCell(int col, long row, CUGCell* cell) override;
    int SetCell(int col, long row, CUGCell* cell) override;

    int SearchFirst(CString* text, int* col, long* row, long flags) override;
    int SearchNext(CString* text, int* col, long* row, long flags) override;

    using CUGDataSource::SortRowsBy;
    int SortRowsBy(int* cols, int numCols, int flags) override;

    int FindPrevNonEmptyCol(int* col, long row) override;

    // Positioning on a stored row, then on a stored column of that row: 0 when the node
    // exists, 1 otherwise (the cache then rests on the last node reached).
    int SeekRow(long row);
    int SeekCol(int col);

private:
    struct ColNode {
        ColNode* next = nullptr;
        ColNode* prev = nullptr;
        // The stored cell lives inside its node (one allocation, one cache walk per cell);
        // a node may hold none.
        std::optional<CUGCell> stored;
        CUGCell* cell() { return stored ? &*stored : nullptr; }
    };
    struct RowNode {
        ColNode* firstCol = nullptr;
        int firstColIndex = 0; // heading cells are stored at negative columns
        RowNode* next = nullptr;
        RowNode* prev = nullptr;
    };

    void RewindToFirstRow();
    // Far jumps: the row nodes in order, so that reaching a row far from the cached one
    // costs no walk over every row between. Rebuilt on demand after rows were inserted,
    // deleted or put before the first; rows added at the end extend it.
    void InvalidateRowIndex();
    void BuildRowIndex();
    void ResetColCache();
    static ColNode* FindColNode(RowNode* row, int col);
    void FreeRow(RowNode* row);
    bool CellMatches(const CUGCell* cell, const CString& wanted, long flags) const;
    int CompareRows(CUGCell* const* keys1, CUGCell* const* keys2, int numCols, int flags);

    UGNodePool<RowNode> rowPool_;
    UGNodePool<ColNode> colPool_;
    CUGGridInfo* gridInfo_ = nullptr;
    long currentRowIndex_ = 0;
    RowNode* currentRow_ = nullptr;
    int currentColIndex_ = 0;
    ColNode* currentCol_ = nullptr;
    int findCol_ = 0;
    long findRow_ = 0;
    std::vector<RowNode*> rowIndex_;
    long rowIndexFirst_ = 0; // row number of rowIndex_.front()
    bool rowIndexValid_ = false;
};
