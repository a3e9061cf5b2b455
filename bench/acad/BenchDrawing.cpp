#include "BenchDrawing.h"

#include "dbents.h"
#include "dbsymtb.h"

#include <cstdio>
#include <cwctype>
#include <unordered_map>

namespace kestrel::bench {

std::map<std::wstring, long> countBlockReferences(AcDbDatabase& db) {
    // References per block table record first; each record's name is read and lower-cased once.
    std::unordered_map<Adesk::UInt32, std::pair<AcDbObjectId, long>> perRecord;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead) != Acad::eOk)
        return {};
    AcDbBlockTableRecordIterator* it = nullptr;
    space->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        AcDbBlockReference* ref = nullptr;
        if (acdbOpenObject(ref, id, AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbObjectId recordId = ref->blockTableRecord();
        ref->close();
        auto& entry = perRecord[recordId.index()];
        entry.first = recordId;
        ++entry.second;
    }
    delete it;
    space->close();
    std::map<std::wstring, long> counts;
    for (const auto& [index, entry] : perRecord) {
        AcDbBlockTableRecord* record = nullptr;
        if (acdbOpenObject(record, entry.first, AcDb::kForRead) != Acad::eOk)
            continue;
        const ACHAR* text = nullptr;
        record->getName(text);
        std::wstring name = text;
        record->close();
        for (wchar_t& c : name)
            c = wchar_t(std::towlower(wint_t(c)));
        counts[name] += entry.second;
    }
    return counts;
}

void writeDrawing(const std::string& path, long references, int blocks) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f)
        return;
    long handle = 0x100;
    long handseed = handle + 4 + 3L * blocks + references;
    std::fprintf(f,
                 "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n"
                 "  3\nANSI_1252\n  9\n$HANDSEED\n  5\n%lX\n  0\nENDSEC\n",
                 handseed);
    std::fputs("  0\nSECTION\n  2\nTABLES\n"
               "  0\nTABLE\n  2\nLAYER\n  5\n2\n330\n0\n100\nAcDbSymbolTable\n 70\n1\n"
               "  0\nLAYER\n  5\n10\n330\n2\n100\nAcDbSymbolTableRecord\n100\n"
               "AcDbLayerTableRecord\n  2\n0\n 70\n0\n 62\n7\n  6\nCONTINUOUS\n  0\nENDTAB\n"
               "  0\nTABLE\n  2\nBLOCK_RECORD\n  5\n1\n330\n0\n100\nAcDbSymbolTable\n 70\n0\n",
               f);
    auto record = [&](const std::string& name, long h) {
        std::fprintf(f,
                     "  0\nBLOCK_RECORD\n  5\n%lX\n330\n1\n100\nAcDbSymbolTableRecord\n100\n"
                     "AcDbBlockTableRecord\n  2\n%s\n",
                     h, name.c_str());
    };
    record("*Model_Space", 0x20);
    record("*Paper_Space", 0x21);
    for (int b = 0; b < blocks; ++b)
        record("Part" + std::to_string(b), 0x30 + b);
    std::fputs("  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nBLOCKS\n", f);
    auto block = [&](const std::string& name, long recordHandle, bool line) {
        std::fprintf(f,
                     "  0\nBLOCK\n  5\n%lX\n330\n%lX\n100\nAcDbEntity\n  8\n0\n100\n"
                     "AcDbBlockBegin\n  2\n%s\n 70\n0\n 10\n0.0\n 20\n0.0\n 30\n0.0\n  3\n%s\n"
                     "  1\n\n",
                     handle++, recordHandle, name.c_str(), name.c_str());
        if (line)
            std::fprintf(f,
                         "  0\nLINE\n  5\n%lX\n330\n%lX\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n"
                         " 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n1.0\n 21\n1.0\n 31\n0.0\n",
                         handle++, recordHandle);
        std::fprintf(f,
                     "  0\nENDBLK\n  5\n%lX\n330\n%lX\n100\nAcDbEntity\n  8\n0\n100\n"
                     "AcDbBlockEnd\n",
                     handle++, recordHandle);
    };
    block("*Model_Space", 0x20, false);
    block("*Paper_Space", 0x21, false);
    for (int b = 0; b < blocks; ++b)
        block("Part" + std::to_string(b), 0x30 + b, true);
    std::fputs("  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n", f);
    for (long i = 0; i < references; ++i) {
        // Mixed letter case: the count folds it.
        std::fprintf(f,
                     "  0\nINSERT\n  5\n%lX\n330\n20\n100\nAcDbEntity\n  8\n0\n100\n"
                     "AcDbBlockReference\n  2\n%s%ld\n 10\n%ld.5\n 20\n%ld.25\n 30\n0.0\n",
                     handle++, (i & 1) ? "PART" : "Part", i % blocks, i % 1000, i / 1000);
    }
    std::fputs("  0\nENDSEC\n  0\nEOF\n", f);
    std::fclose(f);
}

} // namespace kestrel::bench
