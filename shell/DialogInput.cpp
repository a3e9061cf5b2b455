#include "shell/DialogInput.h"

#include <climits>
#include <cmath>
#include <filesystem>

#include <acdocman.h>
#include <aced.h>
#include <windows.h>

#include "AsciiCase.h"
#include "Automation.h"
#include "Clock.h"
#include "shell/MainWindow.h"

namespace shell {

namespace {

std::optional<int> Integer(const std::wstring& text) {
    auto number = ed::ParseNumber(text);
    if (!number || *number < INT_MIN || *number > INT_MAX || *number != std::trunc(*number))
        return std::nullopt;
    return static_cast<int>(*number);
}

// A mouse message carries its point in 16 bits a coordinate.
bool FitsMouseMessage(double coordinate) {
    return coordinate >= SHRT_MIN && coordinate <= SHRT_MAX;
}

// SHOT writes NAME.png into the shots folder and nowhere else: a name, not a path.
bool IsFileName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." &&
           name.find_first_of(L"/\\") == std::wstring::npos;
}

// MOUSE [SHIFT+|CTRL+...]VERB x,y [id]
ui::VerbResult Mouse(const ed::ScriptLine& line) {
    if (line.Size() < 3 || line.Size() > 4)
        return {false, L"MOUSE needs a verb, x,y and optionally a control id"};
    std::wstring verb = crt::UpperAZ(line[1].text);
    UINT modifiers = 0;
    for (;;) {
        if (verb.starts_with(L"SHIFT+"))
            modifiers |= MK_SHIFT, verb.erase(0, 6);
        else if (verb.starts_with(L"CTRL+"))
            modifiers |= MK_CONTROL, verb.erase(0, 5);
        else
            break;
    }
    auto at = ed::ParsePoint(line[2].text);
    if (!at)
        return {false, L"MOUSE needs a point x,y"};
    if (!FitsMouseMessage(at->x) || !FitsMouseMessage(at->y))
        return {false, L"MOUSE: " + line[2].text + L" lies outside the mouse's coordinates (" +
                           std::to_wstring(SHRT_MIN) + L" to " + std::to_wstring(SHRT_MAX) + L")"};
    int control = 0;
    if (line.Size() == 4) {
        auto id = Integer(line[3].text);
        if (!id)
            return {false, L"MOUSE: \"" + line[3].text + L"\" is not a control id"};
        control = *id;
    }
    return ui::Mouse(verb, POINT{static_cast<LONG>(at->x), static_cast<LONG>(at->y)}, control,
                     modifiers);
}

ui::VerbResult DialogVerb(const ed::ScriptLine& line) {
    std::wstring verb = line.Verb();
    if (verb == L"CLICK" && line.Size() == 2)
        return ui::Click(line[1].text);
    if (verb == L"KEY" && line.Size() == 2)
        return ui::Key(line[1].text);
    if (verb == L"TYPE" && line.Size() == 2 && line[1].quoted)
        return ui::Type(line[1].text);
    if (verb == L"MOUSE")
        return Mouse(line);
    return {false, L"\"" + line.Text() + L"\" is not a dialog verb (CLICK, KEY, TYPE, MOUSE)"};
}

} // namespace

ui::InputSource::Result DialogInput::NextInput(bool) {
    // Polling inside a handler (a held mouse button) waits for the script's next line as well:
    // the line that releases the button is the next one.
    std::wstring caption = ui::ActiveCaption();
    std::optional<ed::ScriptLine> line = ed::Input().Await(L"dialog \"" + caption + L"\"");
    if (!line)
        return Result::Exhausted;
    ui::VerbResult result = DialogVerb(*line);
    if (!result) {
        ed::Input().Stop(ed::kExitBadInput, ed::Input().Where() + L": " + result.message);
        return Result::Exhausted;
    }
    return Result::Delivered;
}

ed::VerbOutcome DialogInput::AnyMoment(const ed::ScriptLine& line, std::wstring& message) const {
    std::wstring verb = line.Verb();
    ui::VerbResult result;
    bool check = false;
    if (verb == L"WAIT" && line.Size() == 2 && Integer(line[1].text) &&
        *Integer(line[1].text) >= 0) {
        result = ui::Wait(static_cast<DWORD>(*Integer(line[1].text)));
    } else if (verb == L"SHOT" && line.Size() == 2 && !IsFileName(line[1].text)) {
        message = L"SHOT takes a file name, not a path: \"" + line[1].text + L"\"";
        return ed::VerbOutcome::Refused;
    } else if (verb == L"SHOT" && line.Size() == 2) {
        std::error_code ignored; // a folder that cannot be made shows in Shot's message
        std::filesystem::create_directories(std::filesystem::path(shotsDir_), ignored);
        std::wstring path = shotsDir_ + L"/" + line[1].text + L".png";
        CWnd* active = ui::ActiveWindow();
        if (mainWindow_ && (!active || active == mainWindow_) && !mainWindow_->IsWindowVisible())
            result = mainWindow_->SavePicture(path)
                         ? ui::VerbResult{}
                         : ui::VerbResult{false, L"cannot write " + path};
        else if (mainWindow_ && !active)
            result = ui::ShotOf(mainWindow_, path);
        else
            result = ui::Shot(path);
    } else if (verb == L"EXPECT" && line.Is(1, L"DIALOG") && line.Size() == 3 && line[2].quoted) {
        check = true;
        result = ui::ExpectDialog(line[2].text);
    } else if (verb == L"EXPECT" && line.Is(1, L"TEXT") && line.Size() == 4 && line[3].quoted &&
               Integer(line[2].text)) {
        check = true;
        result = ui::ExpectText(*Integer(line[2].text), line[3].text);
    } else {
        message = L"\"" + line.Text() + L"\" is not understood (WAIT ms, SHOT name, " +
                  L"EXPECT DIALOG \"caption\", EXPECT TEXT id \"text\", EXPECT ALERT \"text\")";
        return ed::VerbOutcome::Refused;
    }
    if (result)
        return ed::VerbOutcome::Done;
    message = result.message;
    return check ? ed::VerbOutcome::Failed : ed::VerbOutcome::Refused;
}

DialogInputScope::DialogInputScope(DialogInput& input) {
    ui::ResetInput();
    ui::UseVirtualClock(true); // no display: time passes only by WAIT and Sleep
    previous_ = ui::SetInputSource(&input);
    ed::Input().SetVerbHandler([&input](const ed::ScriptLine& line, std::wstring& message) {
        return input.AnyMoment(line, message);
    });
    ed::Input().SetAlertPresenter([](const std::wstring& text) {
        MessageBox(adsw_acadMainWnd(), text.c_str(), L"Kestrel", MB_OK);
    });
}

DialogInputScope::~DialogInputScope() {
    ed::Input().SetAlertPresenter(nullptr);
    ed::Input().SetVerbHandler(nullptr);
    ui::SetInputSource(previous_);
}

} // namespace shell
