#pragma once
// The cell ranges a grid window repaints at its next paint pass, and the joined blocks
// already painted in the pass at hand (each is painted once, from its start cell).

#include <vector>

class CellRedrawList {
public:
    void AddRange(int startCol, long startRow, int endCol, long endRow); // bounds inclusive
    void AddCell(int col, long row) { AddRange(col, row, col, row); }
    // Widens the first range (adding it when the list is empty) to cover the given one.
    void ExtendFirstRange(int startCol, long startRow, int endCol, long endRow);
    bool Contains(int col, long row) const;
    bool WasDrawn(int col, long row) const;
    void MarkDrawn(int col, long row);
    // The smallest start and greatest end over all ranges; false (all 0) when empty.
    bool GetBounds(int* startCol, long* startRow, int* endCol, long* endRow) const;
    bool IsEmpty() const { return ranges_.empty(); }
    void Clear();

private:
    struct Range {
        int startCol, endCol;
        long startRow, endRow;
        bool Covers(int col, long row) const {
            return col >= startCol && col <= endCol && row >= startRow && row <= endRow;
        }
    };
    struct Drawn {
        int col;
        long row;
    };
    void Widen(const Range& r);

    std::vector<Range> ranges_;
    std::vector<Drawn> drawn_;
    Range bounds_{0, 0, 0, 0};
};
