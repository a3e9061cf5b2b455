#include "shell/BomRun.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "Utf8.h"
#include "ed/EditorInput.h"

#include "shell/BomArguments.h"
#include "shell/BomScript.h"
#include "shell/Run.h"

namespace shell {

namespace {

constexpr int kExitNoBom = 1;

// A private folder for the report that goes to standard output, removed with the object.
class ScratchFolder {
public:
    bool Make() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-bom-XXXXXX");
        if (!mkdtemp(pattern.data()))
            return false;
        path_ = pattern;
        return true;
    }
    ~ScratchFolder() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Sends the editor's command line and its alerts into memory for as long as it lives.
class QuietEditor {
public:
    QuietEditor() { ed::Input().SetStreams(&commandLine, &alerts); }
    ~QuietEditor() { ed::Input().SetStreams(nullptr, nullptr); } // the standard streams again
    QuietEditor(const QuietEditor&) = delete;
    QuietEditor& operator=(const QuietEditor&) = delete;
    std::ostringstream commandLine, alerts;
};

// A price file that is there but no regular file (a pipe, a device) would keep its reader
// waiting; it is refused before the command runs.
bool PriceFileReadable(const std::string& path, std::string& why) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        why = "the price file " + path + " is not a regular file";
        return false;
    }
    return true;
}

// The command line's warnings, one per line, for standard error.
void PrintWarnings(const std::string& commandLine, const std::string& reportTemp) {
    std::istringstream lines(commandLine);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Warning: ", 0) != 0)
            continue;
        if (!reportTemp.empty())
            if (std::size_t at = line.find(reportTemp); at != std::string::npos)
                line.replace(at, reportTemp.size(), "standard output");
        std::cerr << "kestrel: " << line << '\n';
    }
}

bool CopyToStandardOutput(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::cout << in.rdbuf();
    std::cout.flush();
    return true;
}

} // namespace

int RunBom(const std::vector<std::string>& args) {
    std::string error;
    auto arguments = ParseBomArguments(args, error);
    if (!arguments)
        return Fail(ed::kExitBadInput, error + " (kestrel bom --help tells more)");
    if (arguments->help) {
        std::cout << BomUsageText();
        return ed::kExitOk;
    }
    AcDbDatabase database(false, true);
    if (!ReadDrawing(database, arguments->drawing, error))
        return Fail(ed::kExitBadInput, error);
    if (!arguments->prices.empty() && !PriceFileReadable(arguments->prices, error))
        return Fail(kExitNoBom, error);

    ScratchFolder scratch;
    std::string reportPath = arguments->report;
    const bool toStandardOutput = reportPath == "-";
    if (toStandardOutput) {
        if (!scratch.Make())
            return Fail(kExitNoBom, "no temporary folder for the report");
        reportPath = scratch.File("report.txt");
    }

    ed::DatabaseDrawing drawing(database);
    BomProgress progress;
    auto script =
        std::make_unique<BomScript>(*arguments, crt::FromUtf8(reportPath), database, progress);
    CommandRunOptions options;
    options.module = arguments->module;
    options.shots = arguments->shots;
    QuietEditor editor;
    if (int code = RunCommands(database, drawing, std::move(script), options, error))
        return Fail(code, error);

    ed::EditorInput& input = ed::Input();
    if (!progress.problem.empty())
        return Fail(kExitNoBom, crt::ToUtf8(progress.problem));
    if (input.Stopped()) {
        std::cerr << editor.commandLine.str() << '\n';
        return Fail(input.ExitCode(), crt::ToUtf8(input.StopMessage()));
    }
    if (!input.PendingAlerts().empty()) {
        for (const std::wstring& alert : input.PendingAlerts())
            std::cerr << "kestrel: " << crt::ToUtf8(ed::TrimmedText(alert)) << '\n';
        return kExitNoBom;
    }
    if (!progress.reportOpened)
        return Fail(kExitNoBom, arguments->drawing +
                                    " has no block references to count (in model space, on "
                                    "layers that are not frozen)");
    PrintWarnings(editor.commandLine.str(), toStandardOutput ? reportPath : "");
    if (toStandardOutput && !CopyToStandardOutput(reportPath))
        return Fail(kExitNoBom, "the report was not written");

    std::wstring why;
    if (!arguments->output.empty() && !drawing.Save(crt::FromUtf8(arguments->output), why))
        return Fail(ed::kExitBadInput,
                    "cannot save " + arguments->output + ": " + crt::ToUtf8(why));
    return ed::kExitOk;
}

} // namespace shell
