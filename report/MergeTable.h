#pragma once
// The column layout of a table block: where each column starts and where a text of a given
// length stands when centred in its column. Lengths are in drawing units; a column is as wide
// as its width in character cells times the cell unit.

class MergeTable {
public:
    // `columnWidths` (in character cells, one per column) is borrowed and must outlive the
    // layout and its copies.
    MergeTable(double textHeight, double cellUnit, int* columnWidths, int columnCount,
               int rowCount);
    MergeTable(const MergeTable&) = default;
    MergeTable& operator=(const MergeTable&) = default;
    virtual ~MergeTable() = default;

    // The left edge of column `col`; ColumnLeft(columnCount) is the right edge of the table.
    double ColumnLeft(int col) const;
    // The left end of a text of `length` characters centred in column `col`, each character
    // taken as 0.9 of a cell unit wide.
    double TextLeftEstimate(int length, int col) const;

    int columnCount;
    int rowCount;
    double totalWidth;
    double textHeight;
    double cellUnit;
    int* columnWidths;
};
