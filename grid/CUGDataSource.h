#pragma once
// The abstract cell store a grid reads and writes through. Every operation has a harmless
// default, UG_NA (-1) meaning "not supported", so a data source implements only what it has.
// Data sources made by the application stay owned by it and must outlive the grid.

#include <afxwin.h>

#include "grid/UGDefines.h"

#include <afx.h>

class CUGCell;
class CUGCtrl;
class CUGSortComparer;
class CWnd;

class CUGDataSource {
public:
    CUGDataSource() = default;
    virtual ~CUGDataSource() = default;
    CUGDataSource(const CUGDataSource&) = delete;
    CUGDataSource& operator=(const CUGDataSource&) = delete;

    // Row and column structure.
    virtual int AppendRow() { return UG_NA; }
    virtual int InsertRow(long /*row*/) { return UG_NA; }
    virtual int AppendCol() { return UG_NA; }
    virtual int InsertCol(int /*col*/) { return UG_NA; }
    virtual int DeleteRow(long /*row*/) { return UG_NA; }
    virtual int DeleteCol(int /*col*/) { return UG_NA; }
    virtual int DeleteCell(int /*col*/, long /*row*/) { return UG_NA; }
    virtual int Empty() { return UG_NA; }

    // Cells: GetCell merges what is stored into `cell`, SetCell replaces what is stored.
    virtual int GetCell(int /*col*/, long /*row*/, CUGCell* /*cell*/) { return UG_NA; }
    virtual int SetCell(int /*col*/, long /*row*/, CUGCell* /*cell*/) { return UG_NA; }

    // Text search (0 found, 1 not found) and row sort.
    virtual int SearchFirst(CString* /*text*/, int* /*col*/, long* /*row*/, long /*flags*/) {
        return UG_NA;
    }
    virtual int SearchNext(CString* /*text*/, int* /*col*/, long* /*row*/, long /*flags*/) {
        return UG_NA;
    }
    virtual int SortRowsBy(int* /*cols*/, int /*numCols*/, int /*flags*/) { return UG_NA; }
    virtual int SortRowsBy(int col, int flags) { return SortRowsBy(&col, 1, flags); }

    // Notifications the frame passes to its default source before its own hooks. A result
    // other than 1 from the query and edit-end/chain calls, or 0 from the edit-begin and
    // key-check calls, stops the action.
    virtual int OnPastLastRow(long /*numRows*/, long /*rowsPast*/, long* /*rowsFound*/) {
        return UG_NA;
    }
    virtual void OnCurrentRowMoved(long /*oldRow*/, long /*newRow*/) {}
    virtual void OnCurrentColMoved(int /*oldCol*/, int /*newCol*/) {}
    virtual int OnQueryCellMove(int /*oldCol*/, long /*oldRow*/, int /*newCol*/, long /*newRow*/) {
        return 1;
    }
    virtual int OnEditBegin(int /*col*/, long /*row*/, CWnd** /*edit*/) { return 1; }
    virtual int OnEditKeyCheck(int /*col*/, long /*row*/, CWnd* /*edit*/, UINT* /*vcKey*/) {
        return 1;
    }
    virtual int OnEditEnd(int /*col*/, long /*row*/, CWnd* /*edit*/, LPCTSTR /*text*/,
                          int /*cancelFlag*/) {
        return 1;
    }
    virtual int OnEditChain(int /*oldCol*/, long /*oldRow*/, int* /*newCol*/, long* /*newRow*/) {
        return 1;
    }

    // Used by text overflow painting: the nearest column left of *col with text.
    virtual int FindPrevNonEmptyCol(int* /*col*/, long /*row*/) { return UG_NA; }

    // Registration with a grid frame.
    void SetGrid(CUGCtrl* grid) { grid_ = grid; }
    CUGCtrl* GetGrid() const { return grid_; }
    void SetSourceId(int id) { id_ = id; }
    int GetSourceId() const { return id_; }
    // Who answers the row sort's comparisons (the frame's OnSortCompare); null: the default.
    void SetSortComparer(CUGSortComparer* comparer) { sortComparer_ = comparer; }
    CUGSortComparer* GetSortComparer() const { return sortComparer_; }

private:
    CUGCtrl* grid_ = nullptr;
    int id_ = -1;
    CUGSortComparer* sortComparer_ = nullptr;
};
