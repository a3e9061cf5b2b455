#pragma once
// A drawing for the report's tests: a database read from a file, the editor's
// working drawing while the object lives, and a table block for the placement to insert.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"

#include "Utf8.h"
#include "ed/DatabaseDrawing.h"

#include "report/CalcPriceDialog.h"
#include "tests/support/ScratchDir.h"

// Writes the drawing of make_count_drawing.py (blocks to count, with attributes) to `path`;
// false when the script failed.
inline bool MakeCountDrawing(const std::filesystem::path& path) {
    std::string command = "/usr/bin/python3 " + std::string(KESTREL_SOURCE_DIR) +
                          "/tests/report/make_count_drawing.py " + path.string() + " >/dev/null";
    return std::system(command.c_str()) == 0;
}

// The settings files lie beside the module; in the test programs that is the current
// directory, a scratch one while this lives.
class InScratchDirectory {
public:
    InScratchDirectory() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir.Path("."));
    }
    ~InScratchDirectory() { std::filesystem::current_path(previous_); }
    ScratchDir dir;

private:
    std::filesystem::path previous_;
};

struct WorkingDrawing {
    AcDbDatabase database{false, true};
    ed::DatabaseDrawing drawing{database};

    explicit WorkingDrawing(const std::string& path) {
        EXPECT_EQ(database.readDxfFile(crt::FromUtf8(path).c_str()), Acad::eOk) << path;
        acdbHostApplicationServices()->setWorkingDatabase(&database);
    }
    ~WorkingDrawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
};

// Adds a block of one line from its base point (the table's upper-left corner) to the lower
// right corner, as the report's table builder does for a real table.
inline void AddTableBlock(const wchar_t* name, double width, double height) {
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(database->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord;
    block->setName(name);
    ASSERT_EQ(blocks->add(block), Acad::eOk);
    blocks->close();
    auto* line = new AcDbLine({0, 0, 0}, {width, -height, 0});
    block->appendAcDbEntity(line);
    line->close();
    block->close();
}

// A report whose "Insert" has built a table block: it ends with OK as soon as it opens.
class TableReadyDialog : public CalcPriceDialog {
public:
    using CalcPriceDialog::CalcPriceDialog;
    static inline int opened = 0;

    BOOL OnInitDialog() override {
        CalcPriceDialog::OnInitDialog();
        ++opened;
        AddTableBlock(L"QVN0001", 50.0, 10.0);
        wcscpy(tableBlockName, L"QVN0001");
        grid.tableWidth = 50.0;
        grid.tableHeight = 10.0;
        EndDialog(IDOK);
        return TRUE;
    }
};

// What ezdxf says about a drawing (drawing_check.py of the end-to-end tests).
inline std::string PeerCheck(const std::string& drawing, const std::string& extra) {
    std::string command = "/usr/bin/python3 " + std::string(KESTREL_SOURCE_DIR) +
                          "/tests/shell/drawing_check.py '" + drawing + "' " + extra + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}
