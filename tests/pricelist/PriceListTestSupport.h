#pragma once
// A drawing for the price list's tests: a fresh drawing (model space and one paper space
// layout) that is the host's working drawing while the object lives, with block definitions
// added by name.

#include <gtest/gtest.h>

#include "dbapserv.h"
#include "dbsymtb.h"

#include "ed/DatabaseDrawing.h"

struct TestDrawing {
    AcDbDatabase database{true, true};
    ed::DatabaseDrawing drawing{database};

    TestDrawing() { acdbHostApplicationServices()->setWorkingDatabase(&database); }
    ~TestDrawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    void AddBlock(const wchar_t* name) {
        AcDbBlockTable* blocks = nullptr;
        ASSERT_EQ(database.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
        auto* block = new AcDbBlockTableRecord;
        block->setName(name);
        ASSERT_EQ(blocks->add(block), Acad::eOk);
        blocks->close();
        block->close();
    }
};
