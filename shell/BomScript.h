#pragma once
// The script that `kestrel bom` runs: what a person would type and click to get the bill of
// materials, answered line by line as the command asks. Each wait is answered by what it is
// (the command prompt, the price file's dialog, the selection, the report dialog, its file
// dialog, a message box, the table's corner and scale); a wait it has no answer for ends the
// input, so the run stops there instead of guessing.

#include <deque>
#include <optional>
#include <string>

#include "dbmain.h"

#include "ed/LineSource.h"

#include "shell/BomArguments.h"

namespace shell {

// What the run learns from the waits it answers. The editor input owns the script and drops
// it when the input ends, so this outlives it.
struct BomProgress {
    bool reportOpened = false; // the report dialog opened: the count found something to show
    std::wstring problem;      // why the script could not go on where it stopped early
};

class BomScript : public ed::LineSource {
public:
    // `reportPath` is where "Save to file" saves ("" = no report).
    BomScript(const BomArguments& arguments, std::wstring reportPath, AcDbDatabase& database,
              BomProgress& progress);

    std::optional<std::wstring> Next(const std::wstring& awaited) override;
    std::wstring Where() const override { return L"kestrel bom"; }
    bool EchoesLines() const override { return true; }

private:
    // One step in the report dialog: a literal line, or half of a click on a column title.
    struct DialogStep {
        enum class Kind { Line, TitleDown, TitleUp } kind;
        std::wstring line;
    };

    std::optional<std::wstring> NextInReport();
    std::optional<std::wstring> TitleClick(bool down);
    std::optional<std::wstring> NextWhileDragging();

    const BomArguments& arguments_;
    std::wstring reportPath_;
    AcDbDatabase& database_;
    BomProgress& progress_;
    std::deque<DialogStep> reportSteps_;
    int commands_ = 0;
    int fileDialogs_ = 0;
    int selectionLines_ = 0;
    int corners_ = 0;
    int dragLines_ = 0;
    std::wstring titlePoint_; // where the current title click happens, "x,y"
};

} // namespace shell
