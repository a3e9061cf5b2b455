#pragma once
// The one input of a run, as every waiting part of the program sees it. Whoever waits (the
// command prompt, a prompt of the editor, a file dialog, a selection, cursor tracking, and later
// a modal dialog or message box) asks Await() for the next line, naming what waits. Lines that
// are accepted at any moment (WAIT, SHOT, EXPECT) are handled on the way and never reach the
// caller.
//
// Await() answering nothing means no answer will ever come: the caller cancels what it was
// doing and returns, and the run ends once control is back at the command prompt. Why is kept
// here: input ended while something waited (exit code 4), an EXPECT failed (3), or a script
// line could not be carried out (2). Nothing is read after that, so a run never hangs.
//
// A modal loop (dialog or message box) takes its input the same way when its queue is idle:
//
//     if (auto line = ed::Input().Await(L"dialog \"BOM Report\""))
//         CarryOut(*line);                 // CLICK, KEY, TYPE, MOUSE ...; a wrong verb:
//                                          // ed::Input().Stop(ed::kExitBadInput, ...)
//     else
//         EndDialog(IDCANCEL);             // no input will come: close and unwind
//
// and registers SetVerbHandler() for SHOT, WAIT, EXPECT DIALOG and EXPECT TEXT, which may come
// whatever waits. A failed check inside the loop is reported with Stop(kExitExpectFailed, ...).

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ed/LineSource.h"
#include "ed/ScriptLine.h"

namespace ed {

// Exit codes of a run.
constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;
constexpr int kExitExpectFailed = 3;
constexpr int kExitInputEnded = 4;

// What a handler of the any-moment verbs did with a line.
enum class VerbOutcome {
    NotMine, // not a verb of this handler
    Done,    // carried out; the next line is read
    Failed,  // an EXPECT did not hold (the handler gives the message)
    Refused, // the line cannot be carried out now (the handler gives the message)
};
using VerbHandler = std::function<VerbOutcome(const ScriptLine& line, std::wstring& message)>;

class EditorInput {
public:
    EditorInput();
    ~EditorInput();

    // Starts a run reading from `source`; clears the state of any previous run.
    void Begin(std::unique_ptr<LineSource> source);
    bool HasSource() const { return source_ != nullptr; }

    // The next line answering `awaited` (the prompt text, "Select objects", "dialog \"X\"").
    // Nothing when no answer will come (see above): the caller cancels.
    std::optional<ScriptLine> Await(const std::wstring& awaited);
    // The next line at the command prompt. Nothing when the input has ended there, which is
    // the normal end of a run, or when the run was stopped.
    std::optional<ScriptLine> AwaitCommand();

    // What is being waited for right now ("" when nothing waits).
    const std::wstring& Awaiting() const { return awaiting_; }
    // Where the last line came from, for messages.
    std::wstring Where() const;

    // Ends the run with `exitCode` and a message for standard error; the first stop wins.
    void Stop(int exitCode, const std::wstring& message);
    bool Stopped() const { return exitCode_ != kExitOk; }
    int ExitCode() const { return exitCode_; }
    const std::wstring& StopMessage() const { return stopMessage_; }

    // The windowing layer's handler of SHOT, WAIT, EXPECT DIALOG, EXPECT TEXT (and whatever
    // else it accepts at any moment). Without one, WAIT does nothing and SHOT is refused.
    void SetVerbHandler(VerbHandler handler) { verbHandler_ = std::move(handler); }

    // The command line: prompts and messages (acutPrintf). Script lines are echoed after them.
    void Print(const std::wstring& text);
    // An alert: shown by the presenter (a message box once the windowing layer sets one) and
    // always printed on standard error; remembered for EXPECT ALERT.
    void Alert(const std::wstring& text);
    void SetAlertPresenter(std::function<void(const std::wstring&)> presenter) {
        alertPresenter_ = std::move(presenter);
    }
    // Alerts shown and not yet matched by an EXPECT ALERT, oldest first.
    const std::vector<std::wstring>& PendingAlerts() const { return alerts_; }

    // Who else sees the command line (a window showing it) and is told before each wait
    // (a window bringing its picture up to date); none by default.
    void SetPrintListener(std::function<void(const std::wstring&)> listener) {
        printListener_ = std::move(listener);
    }
    void SetAwaitListener(std::function<void(const std::wstring& awaited)> listener) {
        awaitListener_ = std::move(listener);
    }

    // Where the command line and the alerts go (standard output and error by default).
    void SetStreams(std::ostream* out, std::ostream* err);
    std::ostream& Out() const { return *out_; }
    std::ostream& Err() const { return *err_; }

private:
    std::optional<ScriptLine> Read(const std::wstring& awaited, bool required);
    bool HandleAnyMoment(const ScriptLine& line);
    bool ExpectAlert(const ScriptLine& line);

    std::unique_ptr<LineSource> source_;
    std::wstring awaiting_;
    int exitCode_ = kExitOk;
    std::wstring stopMessage_;
    VerbHandler verbHandler_;
    std::function<void(const std::wstring&)> alertPresenter_;
    std::function<void(const std::wstring&)> printListener_;
    std::function<void(const std::wstring&)> awaitListener_;
    std::vector<std::wstring> alerts_;
    std::ostream* out_;
    std::ostream* err_;
    bool atLineStart_ = true;
};

// The editor input of this process.
EditorInput& Input();

// Trims blanks and line ends at both ends (alerts and prompts often begin with "\n").
std::wstring TrimmedText(const std::wstring& text);

} // namespace ed
