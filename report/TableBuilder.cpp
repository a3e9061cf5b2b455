#include "report/TableBuilder.h"

#include <memory>
#include <tchar.h>

#include <aced.h>
#include <acutmem.h>
#include <dbapserv.h>

#include "report/MyCug2.h"
#include "report/ReportState.h"

namespace {

constexpr wchar_t kTablePrefix[] = L"QVN";
constexpr int kTableNameLength = 7;
constexpr int kTableNumberLength = 4;
constexpr double kCellUnitPerHeight = 1.2;
constexpr double kColumnInset = 1.0; // drawing units, whatever the text height
constexpr int kPriceColumn = 1;
constexpr int kTotalColumn = 4;

AcDbDatabase* WorkingDatabase() {
    return acdbHostApplicationServices()->workingDatabase();
}

// The table number a block name stands for, 0 when it names no table.
int TableNumberOf(const wchar_t* name) {
    CString upper(name);
    upper.MakeUpper();
    if (upper.GetLength() != kTableNameLength || upper.Left(3) != kTablePrefix)
        return 0;
    return static_cast<int>(_wtol(upper.Right(kTableNumberLength)));
}

// The block definition that receives the table: the one of that name, else a new one. Null
// after the alert when the block table does not answer.
AcDbBlockTableRecord* OpenTableBlock(const wchar_t* blockName) {
    AcDbBlockTable* blocks = nullptr;
    if (WorkingDatabase()->getSymbolTable(blocks, AcDb::kForWrite) != Acad::eOk) {
        acedAlert(L"Cannot get an object \"AcDbBlockTableRecord\" for the price table");
        return nullptr;
    }
    AcDbBlockTableRecord* block = nullptr;
    Acad::ErrorStatus status = blocks->getAt(blockName, block, AcDb::kForWrite);
    if (status == Acad::eKeyNotFound) {
        block = new AcDbBlockTableRecord;
        block->setName(blockName);
        status = blocks->add(block);
        if (status != Acad::eOk) {
            delete block;
            block = nullptr;
        }
    }
    blocks->close();
    if (status != Acad::eOk) {
        acedAlert(L"Cannot get an object \"AcDbBlockTableRecord\" for the price table");
        return nullptr;
    }
    return block;
}

// The id of the text style `styleName`, or of "Standard" when the drawing has no such style.
bool FindTextStyle(const wchar_t* styleName, AcDbObjectId& styleId) {
    AcDbTextStyleTable* styles = nullptr;
    if (WorkingDatabase()->getSymbolTable(styles, AcDb::kForRead) != Acad::eOk) {
        acedAlert(L"Cannot get an object \"AcDbTextStyleTableRecord\" for the price table");
        return false;
    }
    AcDbTextStyleTableRecord* style = nullptr;
    Acad::ErrorStatus status = styles->getAt(styleName, style, AcDb::kForRead);
    if (status == Acad::eKeyNotFound)
        status = styles->getAt(L"Standard", style, AcDb::kForRead);
    if (status == Acad::eOk) {
        styleId = style->objectId();
        style->close();
    }
    styles->close();
    if (status != Acad::eOk) {
        acedAlert(L"Cannot get an object \"AcDbTextStyleTableRecord\" for the price table");
        return false;
    }
    return true;
}

// Builds the table's entities into an open block definition.
class TableWriter {
public:
    TableWriter(AcDbBlockTableRecord* block, AcDbObjectId style, const MergeTable& layout)
        : block_(block), style_(style), layout_(layout), h_(layout.textHeight) {}

    void AddRule(double y) {
        AddTableLine(block_, AcGePoint3d(0.0, y, 0.0), AcGePoint3d(layout_.totalWidth, y, 0.0));
    }

    void AddCell(const CString& text, const CString& tag, int col, int alignment) {
        AcGePoint3d at(layout_.TextLeftEstimate(text.GetLength(), col), y_, 0.0);
        AcDbAttributeDefinition* cell = nullptr;
        MakeCellAttribute(cell, at, h_, kTableWidthFactor, text, tag, style_, layout_, col,
                          alignment);
        block_->appendAcDbEntity(cell);
        cell->close();
    }

    // The rule under a row of text and the step to the next row's baseline.
    void EndRow() {
        y_ -= h_;
        AddRule(y_);
        y_ -= 2 * h_;
    }

    // The column lines from the top rule down to the lowest rule; answers the lowest y.
    double AddColumnLines() {
        double bottom = y_ + 2 * h_;
        for (int col = 0; col <= layout_.columnCount; ++col) {
            double x = layout_.ColumnLeft(col);
            AddTableLine(block_, AcGePoint3d(x, 2 * h_, 0.0), AcGePoint3d(x, bottom, 0.0));
        }
        return bottom;
    }

private:
    AcDbBlockTableRecord* block_;
    AcDbObjectId style_;
    const MergeTable& layout_;
    double h_;
    double y_ = 0.0; // the baseline of the row being written
};

CString Numbered(const wchar_t* tag, long number) {
    CString text;
    text.Format(L"%s%i", tag, static_cast<int>(number));
    return text;
}

void AddHeading(TableWriter& table) {
    static const wchar_t* const kTags[kReportColumnCount] = {L"BLOCKNAME", L"PRICE", L"QUANTITY",
                                                             L"DESCRIPTION", L"TOTAL"};
    for (int col = 0; col < kReportColumnCount; ++col)
        if (showPrice || (col != kPriceColumn && col != kTotalColumn))
            table.AddCell(reportColumnTitles[col], kTags[col], col, kAlignCentre);
    table.EndRow();
}

void AddGridRow(TableWriter& table, MyCug2& grid, long row) {
    CString name = grid.GetCellText(0, row);
    if (name == L"Summary:" && !showPrice)
        return;
    const long n = row + 1;
    table.AddCell(name, Numbered(L"BLOCKNAME", n), 0, kAlignLeft);
    if (showPrice)
        table.AddCell(grid.GetCellText(1, row), Numbered(L"PRICE", n), 1, kAlignRight);
    table.AddCell(grid.GetCellText(2, row), Numbered(L"QUANTITY", n), 2, kAlignRight);
    CString description = grid.GetCellText(3, row);
    table.AddCell(description, Numbered(L"DESCRIPTION", n), 3,
                  NeedsRightAlignment(description) ? kAlignRight : kAlignLeft);
    if (showPrice)
        table.AddCell(grid.GetCellText(4, row), Numbered(L"TOTAL", n), 4, kAlignRight);
    table.EndRow();
}

} // namespace

int NextTableNumber() {
    int largest = 0;
    AcDbBlockTable* blocks = nullptr;
    if (WorkingDatabase()->getSymbolTable(blocks, AcDb::kForRead) != Acad::eOk)
        return 1;
    AcDbBlockTableIterator* it = nullptr;
    if (blocks->newIterator(it, true, true) == Acad::eOk) {
        for (; !it->done(); it->step(true, true)) {
            AcDbBlockTableRecord* record = nullptr;
            if (it->getRecord(record, AcDb::kForRead, false) != Acad::eOk)
                continue;
            ACHAR* name = nullptr;
            record->getName(name);
            record->close();
            if (name) {
                int number = TableNumberOf(name);
                if (number > largest)
                    largest = number;
                acutDelString(name);
            }
        }
        delete it;
    }
    blocks->close();
    return largest + 1;
}

void EnsureTableTextStyle() {
    AcDbTextStyleTable* styles = nullptr;
    if (WorkingDatabase()->getSymbolTable(styles, AcDb::kForWrite) != Acad::eOk)
        return;
    if (!styles->has(L"QVNTABLE")) {
        auto* style = new AcDbTextStyleTableRecord;
        style->setName(L"QVNTABLE");
        style->setFileName(L"simpheb.shx");
        if (styles->add(style) == Acad::eOk)
            style->close();
        else
            delete style;
    }
    styles->close();
}

void ComputeColumnWidths(MyCug2& grid, int* widths, int count) {
    for (int col = 0; col < count; ++col)
        widths[col] = 0;
    for (long row = -1; row < grid.GetRowCount(); ++row)
        for (int col = 0; col < count; ++col) {
            int length = grid.GetCellText(col, row).GetLength() + 1;
            if (length > widths[col])
                widths[col] = length;
        }
    if (!showPrice) {
        widths[kPriceColumn] = 0;
        widths[kTotalColumn] = 0;
    }
}

int BuildTableBlock(MyCug2& grid, const wchar_t* blockName, const wchar_t* styleName,
                    double textHeight) {
    AcDbBlockTableRecord* block = OpenTableBlock(blockName);
    if (!block)
        return 0;
    AcDbObjectId styleId;
    if (!FindTextStyle(styleName, styleId)) {
        block->close(); // the empty block definition stays
        return 0;
    }
    const int columns = grid.GetColCount();
    auto cellWidths = std::make_unique<int[]>(static_cast<std::size_t>(columns));
    ComputeColumnWidths(grid, cellWidths.get(), columns);
    const double unit = textHeight * kTableWidthFactor * kCellUnitPerHeight;
    const AcGePoint3d base(0.0, 2 * textHeight, 0.0);
    MergeTable layout(textHeight, unit, cellWidths.get(), columns,
                      static_cast<int>(grid.GetRowCount()));

    TableWriter table(block, styleId, layout);
    table.AddRule(base.y);
    AddHeading(table);
    for (long row = 0; row < grid.GetRowCount(); ++row)
        AddGridRow(table, grid, row);
    const double bottom = table.AddColumnLines();

    block->setOrigin(base);
    grid.tableWidth = layout.ColumnLeft(columns) - base.x;
    grid.tableHeight = base.y - bottom;
    block->close();
    return 1;
}

int MakeCellAttribute(AcDbAttributeDefinition*& out, const AcGePoint3d& position, double height,
                      double widthFactor, const wchar_t* text, const wchar_t* tag,
                      AcDbObjectId style, MergeTable table, int col, int alignment) {
    out = new AcDbAttributeDefinition(position, text, tag, tag, style);
    out->setHeight(height);
    out->setWidthFactor(widthFactor);
    out->setInvisible(false);
    out->setVerifiable(false);
    out->setPreset(false);
    const double left = table.ColumnLeft(col) + kColumnInset;
    const double right = table.ColumnLeft(col + 1) - kColumnInset;
    const double middle = (left + right) / 2;
    switch (alignment) {
    case kAlignLeft:
        out->setHorizontalMode(AcDb::kTextLeft);
        out->setPosition(AcGePoint3d(left, position.y, position.z));
        break;
    case kAlignCentre:
        out->setHorizontalMode(AcDb::kTextCenter);
        out->setPosition(AcGePoint3d(left, position.y, position.z));
        out->setAlignmentPoint(AcGePoint3d(middle, position.y, position.z));
        break;
    default:
        out->setHorizontalMode(AcDb::kTextRight);
        out->setAlignmentPoint(AcGePoint3d(right, position.y, position.z));
        break;
    }
    return 1;
}

int AddTableLine(AcDbBlockTableRecord* block, const AcGePoint3d& start, const AcGePoint3d& end) {
    auto* line = new AcDbLine;
    line->setStartPoint(start);
    line->setEndPoint(end);
    block->appendAcDbEntity(line);
    line->close();
    return 1;
}

bool NeedsRightAlignment(const wchar_t* text) {
    for (const wchar_t* c = text; c && *c; ++c)
        if (*c >= 224 && *c <= 250)
            return true;
    return false;
}
