#pragma once
// A formatter a cell may point to: the grid lets it rework the cell every time the cell is
// read. Formatters belong to whoever made them; the grid never deletes one.

class CUGCell;

class CUGCellFormat {
public:
    CUGCellFormat() = default;
    virtual ~CUGCellFormat() = default;

    virtual void ApplyFormat(CUGCell* /*cell*/) {}
};
