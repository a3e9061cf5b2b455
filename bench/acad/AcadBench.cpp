// Speed of the drawing database on synthetic drawings of N block references.
#include "BenchDrawing.h"
#include "dxf/DxfStructure.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string drawing(long references) {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("kestrel_bench_" + std::to_string(references) + ".dxf"))
                           .string();
    if (!std::filesystem::exists(path))
        kestrel::bench::writeDrawing(path, references, 50);
    return path;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Reads the whole drawing with one layer's reader: tags, or records.
template <class Reader, class Item> void Scan(benchmark::State& state) {
    std::string bytes = slurp(drawing(state.range(0)));
    for (auto _ : state) {
        Reader reader(bytes);
        Item item;
        while (reader.next(item))
            benchmark::DoNotOptimize(item);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void BM_TagScan(benchmark::State& state) {
    Scan<kestrel::dxf::TagReader, kestrel::dxf::Tag>(state);
}

void BM_Records(benchmark::State& state) {
    Scan<kestrel::dxf::RecordReader, kestrel::dxf::Record>(state);
}

void BM_Load(benchmark::State& state) {
    std::string path = drawing(state.range(0));
    std::wstring wide(path.begin(), path.end());
    for (auto _ : state) {
        AcDbDatabase db(false);
        if (db.readDxfFile(wide.c_str()) != Acad::eOk)
            state.SkipWithError("cannot read the drawing");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(path)));
}

void BM_LoadAndCount(benchmark::State& state) {
    std::string path = drawing(state.range(0));
    std::wstring wide(path.begin(), path.end());
    for (auto _ : state) {
        AcDbDatabase db(false);
        if (db.readDxfFile(wide.c_str()) != Acad::eOk)
            state.SkipWithError("cannot read the drawing");
        benchmark::DoNotOptimize(kestrel::bench::countBlockReferences(db));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}

void BM_Save(benchmark::State& state) {
    std::string path = drawing(state.range(0));
    std::wstring wide(path.begin(), path.end());
    AcDbDatabase db(false);
    db.readDxfFile(wide.c_str());
    std::string out = path + ".out.dxf";
    std::wstring wideOut(out.begin(), out.end());
    for (auto _ : state)
        if (db.saveAs(wideOut.c_str()) != Acad::eOk)
            state.SkipWithError("cannot save the drawing");
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(path)));
}

} // namespace

BENCHMARK(BM_TagScan)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Records)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndCount)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
