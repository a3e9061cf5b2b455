// acad_count_blocks DRAWING.dxf: loads the drawing and prints its model-space block references
// per lower-cased block name; the load-and-count time and peak memory go to standard error.
#include "BenchDrawing.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DRAWING.dxf\n", argv[0]);
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    AcDbDatabase db(false);
    std::wstring path(argv[1], argv[1] + std::strlen(argv[1]));
    if (db.readDxfFile(path.c_str()) != Acad::eOk) {
        std::fprintf(stderr, "%ls\n", db.lastErrorMessage().c_str());
        return 1;
    }
    auto loaded = std::chrono::steady_clock::now();
    auto counts = kestrel::bench::countBlockReferences(db);
    auto end = std::chrono::steady_clock::now();
    for (const auto& [name, n] : counts)
        std::printf("%ls %ld\n", name.c_str(), n);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "load %.3f s, count %.3f s, peak %ld KiB\n",
                 std::chrono::duration<double>(loaded - start).count(),
                 std::chrono::duration<double>(end - loaded).count(), usage.ru_maxrss);
    return 0;
}
