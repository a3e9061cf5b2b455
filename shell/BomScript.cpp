#include "shell/BomScript.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "dbents.h"
#include "dbsymtb.h"

#include "Automation.h"
#include "Utf8.h"

#include "shell/ReportHeadings.h"

namespace shell {

namespace {

constexpr int kReportTitles = 5;   // the report grid's columns
constexpr int kTopHeadingId = 2;   // the grid's title row, a window of its own
constexpr int kReportGridId = 216; // the report dialog's grid

std::wstring Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return crt::FromUtf8(text);
}

std::wstring Point(double x, double y) {
    return Number(x) + L"," + Number(y);
}

// A file name as one quoted text of the script, whatever it holds.
std::wstring Quoted(const std::wstring& path) {
    std::wstring text = L"\"";
    for (wchar_t c : path)
        text += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
    return text + L"\"";
}

// How many clicks on its title sort a column the wanted way: the report opens counting the
// name column as sorted ascending, so its first click sorts it descending.
int ClicksToSort(BomColumn column, bool descending) {
    bool firstClickDescends = column == BomColumn::Name;
    return descending == firstClickDescends ? 1 : 2;
}

// The width of the table block built last (the one with the largest QVN number), which runs
// from its base point to the right end of its lines.
std::optional<double> LastTableWidth(AcDbDatabase& database) {
    AcDbBlockTable* blocks = nullptr;
    if (database.getBlockTable(blocks, AcDb::kForRead) != Acad::eOk)
        return std::nullopt;
    AcDbObjectId newest;
    long largest = 0;
    AcDbBlockTableIterator* it = nullptr;
    blocks->newIterator(it);
    for (; it && !it->done(); it->step()) {
        AcDbBlockTableRecord* record = nullptr;
        if (it->getRecord(record, AcDb::kForRead) != Acad::eOk)
            continue;
        const ACHAR* name = nullptr;
        record->getName(name);
        std::wstring text = name ? name : L"";
        auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; };
        if (text.size() == 7 && upper(text[0]) == L'Q' && upper(text[1]) == L'V' &&
            upper(text[2]) == L'N') {
            long number = std::wcstol(text.c_str() + 3, nullptr, 10);
            if (number > largest) {
                largest = number;
                newest = record->objectId();
            }
        }
        record->close();
    }
    delete it;
    blocks->close();
    AcDbBlockTableRecord* table = nullptr;
    if (largest == 0 || acdbOpenObject(table, newest, AcDb::kForRead) != Acad::eOk)
        return std::nullopt;
    double right = -std::numeric_limits<double>::infinity();
    AcDbBlockTableRecordIterator* entities = nullptr;
    table->newIterator(entities);
    for (; entities && !entities->done(); entities->step()) {
        AcDbEntity* entity = nullptr;
        if (entities->getEntity(entity, AcDb::kForRead) != Acad::eOk)
            continue;
        if (auto* line = AcDbLine::cast(entity))
            right = std::max({right, line->startPoint().x, line->endPoint().x});
        entity->close();
    }
    delete entities;
    const double base = table->origin().x;
    table->close();
    if (!std::isfinite(right))
        return std::nullopt;
    return right - base;
}

// The x where the cursor makes the table's rubber band `scale` times as wide as the table,
// moving straight right from the corner: the band's width is then the distance moved.
double ScaledCornerX(double cornerX, double tableWidth, double scale) {
    const double natural = std::fabs(cornerX - (cornerX + tableWidth));
    auto scaleAt = [&](double x) { return std::fabs(x - cornerX) / natural; };
    double x = cornerX + scale * natural;
    // The nearest position whose rectangle has exactly that scale, when there is one close by.
    for (int step = 0; step < 64 && scaleAt(x) != scale; ++step)
        x = std::nextafter(x, scaleAt(x) < scale ? std::numeric_limits<double>::infinity()
                                                 : -std::numeric_limits<double>::infinity());
    return x;
}

} // namespace

BomScript::BomScript(const BomArguments& arguments, std::wstring reportPath, AcDbDatabase& database,
                     BomProgress& progress)
    : arguments_(arguments), reportPath_(std::move(reportPath)), database_(database),
      progress_(progress) {
    using Kind = DialogStep::Kind;
    if (arguments.sort)
        for (int i = 0; i < ClicksToSort(*arguments.sort, arguments.sortDescending); ++i) {
            reportSteps_.push_back({Kind::TitleDown, L""});
            reportSteps_.push_back({Kind::TitleUp, L""});
        }
    if (arguments.hidePrices)
        reportSteps_.push_back({Kind::Line, L"CLICK \"Show Price\""});
    if (!reportPath_.empty())
        reportSteps_.push_back({Kind::Line, L"CLICK \"&Save to file\""});
    if (!arguments.shots.empty())
        reportSteps_.push_back({Kind::Line, L"SHOT report"});
    reportSteps_.push_back(
        {Kind::Line, arguments.table ? L"CLICK \"&Insert\"" : L"CLICK \"&Close\""});
}

std::optional<std::wstring> BomScript::Next(const std::wstring& awaited) {
    if (awaited == L"Command")
        return commands_++ == 0 ? std::optional<std::wstring>(L"ZRBOMC") : std::nullopt;
    if (awaited == L"file dialog \"Open\"" && fileDialogs_++ == 0)
        return arguments_.prices.empty() ? L"CANCEL" : Quoted(crt::FromUtf8(arguments_.prices));
    if (awaited == L"Select objects" && selectionLines_ < 2)
        return selectionLines_++ == 0 ? L"ALL" : L"";
    if (awaited == L"dialog \"BOM Report\"") {
        progress_.reportOpened = true;
        return NextInReport();
    }
    if (awaited == L"file dialog \"Save as\"" && !reportPath_.empty())
        return Quoted(reportPath_);
    if (awaited == L"dialog \"Kestrel\"")
        return L"CLICK \"OK\""; // an alert, which the run reports
    if (awaited == L"Upper left corner of table:" && arguments_.table && corners_++ == 0)
        return Point(arguments_.tableX, arguments_.tableY);
    if (awaited == L"cursor tracking" && arguments_.table)
        return NextWhileDragging();
    return std::nullopt;
}

std::optional<std::wstring> BomScript::NextInReport() {
    if (reportSteps_.empty())
        return std::nullopt;
    DialogStep step = reportSteps_.front();
    reportSteps_.pop_front();
    switch (step.kind) {
    case DialogStep::Kind::TitleDown:
        return TitleClick(true);
    case DialogStep::Kind::TitleUp:
        return TitleClick(false);
    default:
        return step.line;
    }
}

std::optional<std::wstring> BomScript::TitleClick(bool down) {
    if (down) {
        CWnd* grid = FindControlDeep(ui::ActiveWindow(), kReportGridId);
        CWnd* heading = FindControlDeep(grid, kTopHeadingId);
        std::vector<HeadingCell> cells = VisibleHeadingCells(heading);
        const auto column = static_cast<std::size_t>(*arguments_.sort);
        if (cells.size() != kReportTitles) {
            progress_.problem = L"the report does not show all its column titles (one is 0 wide or "
                                L"scrolled out of view), so it cannot be sorted by a click on one";
            return std::nullopt;
        }
        CRect client;
        heading->GetClientRect(&client);
        const HeadingCell& cell = cells[column];
        titlePoint_ = std::to_wstring((cell.left + cell.right) / 2) + L"," +
                      std::to_wstring(client.Height() / 2);
    }
    return std::wstring(down ? L"MOUSE DOWN " : L"MOUSE UP ") + titlePoint_ + L" " +
           std::to_wstring(kTopHeadingId);
}

std::optional<std::wstring> BomScript::NextWhileDragging() {
    const int line = dragLines_++;
    if (arguments_.scale == 1.0)
        return line == 0 ? std::optional<std::wstring>(L"ENTER") : std::nullopt;
    if (line > 1)
        return std::nullopt;
    auto width = LastTableWidth(database_);
    if (!width) {
        progress_.problem = L"the table block just built is not in the drawing";
        return std::nullopt;
    }
    const double x = ScaledCornerX(arguments_.tableX, *width, arguments_.scale);
    return (line == 0 ? L"MOVE " : L"PICK ") + Point(x, arguments_.tableY);
}

} // namespace shell
