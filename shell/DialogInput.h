#pragma once
// The editor input as the windowing library's input source: when a dialog or message box
// waits, the next script line is its dialog verb. The verbs accepted at any moment (SHOT,
// WAIT, EXPECT DIALOG, EXPECT TEXT) go to the windowing library too, and alerts appear as
// message boxes.

#include <string>

#include "InputSource.h"
#include "ed/EditorInput.h"

namespace shell {

class MainWindow;

class DialogInput : public ui::InputSource {
public:
    // SHOT writes NAME.png into `shotsDir`.
    explicit DialogInput(std::wstring shotsDir) : shotsDir_(std::move(shotsDir)) {}
    Result NextInput(bool blocking) override;

    // SHOT with no dialog open saves this window's picture.
    void SetMainWindow(MainWindow* window) { mainWindow_ = window; }

    // Carries out a SHOT, WAIT or EXPECT DIALOG/TEXT line (ed::VerbHandler).
    ed::VerbOutcome AnyMoment(const ed::ScriptLine& line, std::wstring& message) const;

private:
    std::wstring shotsDir_;
    MainWindow* mainWindow_ = nullptr;
};

// Makes `input` the windowing library's input source, hands it the any-moment verbs and shows
// alerts as message boxes, for as long as it lives.
class DialogInputScope {
public:
    explicit DialogInputScope(DialogInput& input);
    ~DialogInputScope();
    DialogInputScope(const DialogInputScope&) = delete;
    DialogInputScope& operator=(const DialogInputScope&) = delete;

private:
    ui::InputSource* previous_;
};

} // namespace shell
