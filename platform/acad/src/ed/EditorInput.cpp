#include "ed/EditorInput.h"

#include <iostream>

#include "Utf8.h"

namespace ed {

EditorInput::EditorInput() : out_(&std::cout), err_(&std::cerr) {}
EditorInput::~EditorInput() = default;

EditorInput& Input() {
    static EditorInput input;
    return input;
}

std::wstring TrimmedText(const std::wstring& text) {
    const wchar_t* blanks = L" \t\r\n";
    std::size_t start = text.find_first_not_of(blanks);
    if (start == std::wstring::npos)
        return L"";
    return text.substr(start, text.find_last_not_of(blanks) - start + 1);
}

void EditorInput::Begin(std::unique_ptr<LineSource> source) {
    source_ = std::move(source);
    awaiting_.clear();
    exitCode_ = kExitOk;
    stopMessage_.clear();
    alerts_.clear();
    atLineStart_ = true;
}

void EditorInput::SetStreams(std::ostream* out, std::ostream* err) {
    out_ = out ? out : &std::cout;
    err_ = err ? err : &std::cerr;
}

std::wstring EditorInput::Where() const {
    return source_ ? source_->Where() : L"input";
}

void EditorInput::Stop(int exitCode, const std::wstring& message) {
    if (Stopped() || exitCode == kExitOk)
        return;
    exitCode_ = exitCode;
    stopMessage_ = message;
}

void EditorInput::Print(const std::wstring& text) {
    if (text.empty())
        return;
    *out_ << crt::ToUtf8(text);
    out_->flush();
    atLineStart_ = text.back() == L'\n';
    if (printListener_)
        printListener_(text);
}

void EditorInput::Alert(const std::wstring& text) {
    alerts_.push_back(text);
    if (!atLineStart_)
        Print(L"\n");
    *err_ << "ALERT: " << crt::ToUtf8(TrimmedText(text)) << '\n';
    err_->flush();
    if (alertPresenter_)
        alertPresenter_(text);
}

std::optional<ScriptLine> EditorInput::Await(const std::wstring& awaited) {
    return Read(awaited, true);
}

std::optional<ScriptLine> EditorInput::AwaitCommand() {
    if (Stopped() || !source_)
        return std::nullopt;
    if (!atLineStart_)
        Print(L"\n");
    Print(L"Command: ");
    return Read(L"Command", false);
}

std::optional<ScriptLine> EditorInput::Read(const std::wstring& awaited, bool required) {
    while (!Stopped()) {
        awaiting_ = awaited;
        if (awaitListener_)
            awaitListener_(awaited);
        std::optional<std::wstring> raw = source_ ? source_->Next(awaited) : std::nullopt;
        if (!raw) {
            if (!atLineStart_)
                Print(L"\n");
            if (required)
                Stop(kExitInputEnded, L"input ended while waiting for: " + TrimmedText(awaited));
            source_.reset();
            break;
        }
        std::wstring error;
        std::optional<ScriptLine> line = ScriptLine::Parse(*raw, &error);
        if (!line) {
            Stop(kExitBadInput, source_->Where() + L": " + error);
            break;
        }
        if (line->IsCommentOnly())
            continue;
        if (source_->EchoesLines())
            Print(line->Text() + L"\n");
        else
            atLineStart_ = true; // the terminal ended the typed line
        if (HandleAnyMoment(*line))
            continue;
        awaiting_.clear();
        return line;
    }
    awaiting_.clear();
    return std::nullopt;
}

// WAIT, SHOT and EXPECT are accepted whatever waits. Returns true when the line was one of them
// (carried out, or the run stopped because of it).
bool EditorInput::HandleAnyMoment(const ScriptLine& line) {
    std::wstring verb = line.Verb();
    if (verb != L"WAIT" && verb != L"SHOT" && verb != L"EXPECT")
        return false;
    if (verb == L"EXPECT" && line.Is(1, L"ALERT"))
        return ExpectAlert(line);
    std::wstring message;
    VerbOutcome outcome = verbHandler_ ? verbHandler_(line, message) : VerbOutcome::NotMine;
    switch (outcome) {
    case VerbOutcome::Done:
        return true;
    case VerbOutcome::Failed:
        Stop(kExitExpectFailed, source_->Where() + L": " + message);
        return true;
    case VerbOutcome::Refused:
        Stop(kExitBadInput, source_->Where() + L": " + message);
        return true;
    case VerbOutcome::NotMine:
        break;
    }
    if (verb == L"WAIT") {
        // Without windows there is no timer to let run; the line is still checked.
        if (line.Size() != 2 || !ParseNumber(line[1].text) || *ParseNumber(line[1].text) < 0)
            Stop(kExitBadInput, source_->Where() + L": WAIT needs a time in milliseconds");
        return true;
    }
    Stop(kExitBadInput, source_->Where() + L": " + line.Text() +
                            L" is not available here (no windowing library is connected)");
    return true;
}

bool EditorInput::ExpectAlert(const ScriptLine& line) {
    if (line.Size() != 3 || !line[2].quoted) {
        Stop(kExitBadInput, source_->Where() + L": EXPECT ALERT needs a text in double quotes");
        return true;
    }
    std::wstring wanted = TrimmedText(line[2].text);
    for (std::size_t i = 0; i < alerts_.size(); ++i) {
        if (TrimmedText(alerts_[i]) == wanted) {
            alerts_.erase(alerts_.begin(), alerts_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return true;
        }
    }
    std::wstring seen;
    for (const auto& alert : alerts_)
        seen += L" \"" + TrimmedText(alert) + L"\"";
    Stop(kExitExpectFailed, source_->Where() + L": EXPECT ALERT \"" + wanted +
                                L"\" failed; alerts not yet expected:" +
                                (seen.empty() ? L" none" : seen));
    return true;
}

} // namespace ed
