#include "report/MergeTable.h"

MergeTable::MergeTable(double textHeight, double cellUnit, int* columnWidths, int columnCount,
                       int rowCount)
    : columnCount(columnCount), rowCount(rowCount), totalWidth(0.0), textHeight(textHeight),
      cellUnit(cellUnit), columnWidths(columnWidths) {
    totalWidth = ColumnLeft(columnCount);
}

double MergeTable::ColumnLeft(int col) const {
    double left = 0.0;
    for (int i = 0; i < col; ++i)
        left += columnWidths[i] * cellUnit;
    return left;
}

double MergeTable::TextLeftEstimate(int length, int col) const {
    return ColumnLeft(col) + cellUnit * (columnWidths[col] - 0.9 * length) / 2;
}
