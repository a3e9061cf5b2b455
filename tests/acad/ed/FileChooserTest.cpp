#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "EditorTestSupport.h"

#include <aced.h>

#include "Automation.h"
#include "DisplayBackend.h"
#include "Utf8.h"

namespace {

// Someone at a display: the display is also where input comes from.
class AtTheDisplay : public ui::DisplayBackend, public ui::InputSource {
public:
    std::deque<std::function<void()>> steps;
    AtTheDisplay() {
        ui::ResetInput();
        ui::SetDisplayBackend(this);
        previous_ = ui::SetInputSource(this);
    }
    ~AtTheDisplay() override {
        ui::SetInputSource(previous_);
        ui::SetDisplayBackend(nullptr);
        ui::ResetInput();
    }
    void Present(CWnd*) override {}
    void WindowShown(CWnd*, bool) override {}
    void Sound(DWORD, DWORD) override {}
    bool RealTime() const override { return false; }
    Result NextInput(bool) override {
        if (steps.empty())
            return Result::Exhausted;
        auto step = std::move(steps.front());
        steps.pop_front();
        step();
        return Result::Delivered;
    }

private:
    ui::InputSource* previous_ = nullptr;
};

TEST(FileChooser, WithSomeoneAtTheDisplayTheChooserAsksInsteadOfTheInput) {
    EditorRun run({L"from-the-script"}); // never read: the chooser answers
    AtTheDisplay display;
    EXPECT_TRUE(ui::DisplayTakesInput());
    std::wstring caption;
    display.steps = {[&] { caption = ui::ActiveCaption(); }, [] { ui::Type(L"chosen"); },
                     [] { ui::Key(L"ENTER"); }};
    resbuf result{};
    ASSERT_EQ(acedGetFileD(L"Save as", L"", L"txt", 1, &result), RTNORM);
    EXPECT_EQ(caption, L"Save as");
    auto expected = std::filesystem::current_path() / "chosen.txt";
    EXPECT_EQ(crt::ToUtf8(result.resval.rstring), expected.string());
    acad_free(result.resval.rstring);
    display.steps = {[] { ui::Click(L"Cancel"); }};
    EXPECT_EQ(acedGetFileD(L"Open", L"last.prc", L"prc", 2, &result), RTERROR);
}

} // namespace
