// A price list of 100,000 lines in the "BOM Template" dialog: Open (from the click on the
// button to the rows in the grid), a second Open over those rows, and Save As (the row check
// and the file). In the same run the price-file reader and writer alone handle the same
// file, so what the dialog adds to them shows. Targets: the dialog's own work under 200 ms for
// Open and for Save As.
//
//   build/release/bench/pricelist/price_list_bench [lines]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Clock.h"
#include "InputSource.h"
#include "Utf8.h"
#include "dbapserv.h"
#include "dbsymtb.h"
#include "ed/EditorInput.h"
#include "ed/LineSource.h"

#include "pricelist/BlockPriceDialog.h"
#include "pricelist/PriceFile.h"
#include "resources/KestrelResources.h"

namespace {

constexpr int kRepetitions = 5;
constexpr double kTargetMs = 200.0;

// Runs the steps one at a time whenever the dialog's message loop waits.
class Steps : public ui::InputSource {
public:
    std::vector<std::function<void()>> steps;
    Result NextInput(bool) override {
        if (next_ >= steps.size())
            return Result::Exhausted;
        steps[next_++]();
        return Result::Delivered;
    }

private:
    std::size_t next_ = 0;
};

// Wall time and the thread's processor time of one run of `work`, in milliseconds. The
// processor time shows the work itself when other programs share the machine.
struct Time {
    double wall = 0;
    double cpu = 0;
};

double CpuNowMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

Time Ms(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    double cpuStart = CpuNowMs();
    work();
    return {
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
        CpuNowMs() - cpuStart};
}

double Median(const std::vector<Time>& times, double Time::*part) {
    std::vector<double> values;
    for (const Time& t : times)
        values.push_back(t.*part);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void WritePriceFileOfLines(const std::string& path, int lines) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < lines; ++i)
        out << "Block" << i << '|' << (i % 997) << '.' << (i % 100) << "|Description of item " << i
            << "\r\n";
}

void Report(const char* what, const std::vector<Time>& times) {
    std::printf("%-42s %8.1f ms %8.1f ms\n", what, Median(times, &Time::wall),
                Median(times, &Time::cpu));
}

// What the dialog adds to the file alone, against the 200 ms target.
void ReportOwnWork(const char* what, const std::vector<Time>& dialog,
                   const std::vector<Time>& alone) {
    const double wall = Median(dialog, &Time::wall) - Median(alone, &Time::wall);
    const double cpu = Median(dialog, &Time::cpu) - Median(alone, &Time::cpu);
    std::printf("%-42s %8.1f ms %8.1f ms  %s\n", what, wall, cpu,
                wall < kTargetMs ? "under 200 ms" : "OVER 200 ms");
}

} // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
    auto dir = std::filesystem::temp_directory_path() / "kestrel-price-list-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir); // the settings files lie here
    const std::string listPath = (dir / "list.prc").string();
    WritePriceFileOfLines(listPath, lines);
    const std::wstring list = crt::FromUtf8(listPath);
    const std::wstring copy = crt::FromUtf8((dir / "copy.prc").string());

    AcDbDatabase database(true, true);
    acdbHostApplicationServices()->setWorkingDatabase(&database);
    AfxSetResourceHandle(KestrelResources());
    ui::UseVirtualClock(true);
    std::ostringstream quiet;
    ed::Input().SetStreams(&quiet, &quiet);

    std::vector<Time> readAlone, writeAlone, firstOpen, reopen, saveAs;
    long rows = 0;
    std::string written;
    for (int r = 0; r < kRepetitions; ++r) {
        // The file dialog's answers: the list twice (two Opens), then the copy (Save As).
        ed::Input().Begin(std::make_unique<ed::ScriptLines>(
            std::vector<std::wstring>{list, list, copy}, L"bench"));
        BlockPriceDialog dialog;
        Steps steps;
        std::vector<PriceRecord> records;
        steps.steps = {
            [&] { readAlone.push_back(Ms([&] { ReadPriceList(list.c_str(), records); })); },
            [&] {
                writeAlone.push_back(Ms([&] { WritePriceList(copy.c_str(), records); }));
                records.clear();
            },
            [&] { firstOpen.push_back(Ms([&] { dialog.OpenList(); })); },
            [&] { reopen.push_back(Ms([&] { dialog.OpenList(); })); },
            [&] {
                rows = dialog.grid.GetRowCount();
                saveAs.push_back(Ms([&] { dialog.SaveListAs(); }));
            },
            [&] { dialog.EndDialog(IDCANCEL); },
        };
        ui::ResetInput();
        ui::SetInputSource(&steps);
        dialog.DoModal();
        ui::SetInputSource(nullptr);
    }
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);

    std::printf("price list of %d lines, %ld rows in the grid, copy %s the file\n", lines, rows,
                std::filesystem::file_size(dir / "copy.prc") ==
                        std::filesystem::file_size(dir / "list.prc")
                    ? "the same size as"
                    : "NOT the same size as");
    std::printf("%-42s %11s %11s (median of %d runs)\n", "", "wall", "processor", kRepetitions);
    Report("price-file reader alone", readAlone);
    Report("Open into the dialog's grid (first list)", firstOpen);
    Report("Open again over the same rows", reopen);
    Report("price-file writer alone", writeAlone);
    Report("Save As from the dialog's grid", saveAs);
    std::printf("the dialog's own work:\n");
    ReportOwnWork("  Open (first list) beyond the reader", firstOpen, readAlone);
    ReportOwnWork("  Open again beyond the reader", reopen, readAlone);
    ReportOwnWork("  Save As beyond the writer", saveAs, writeAlone);
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(dir);
    return 0;
}
