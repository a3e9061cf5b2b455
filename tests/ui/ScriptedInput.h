#pragma once
// A stand-in for the script runner: each step runs when a message loop waits for input.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Automation.h"

class ScriptedInput : public ui::InputSource {
public:
    ScriptedInput() {
        ui::ResetInput();
        previous_ = ui::SetInputSource(this);
    }
    ~ScriptedInput() override {
        ui::SetInputSource(previous_);
        ui::ResetInput();
    }
    ScriptedInput& Then(std::function<void()> step) {
        steps_.push_back(std::move(step));
        return *this;
    }
    // A verb whose failure is recorded rather than ignored.
    ScriptedInput& Verb(std::function<ui::VerbResult()> verb) {
        return Then([this, verb] {
            ui::VerbResult r = verb();
            if (!r.ok)
                failures.push_back(r.message);
        });
    }
    Result NextInput(bool blocking) override {
        ++calls;
        if (!blocking)
            ++polls;
        if (steps_.empty())
            return Result::Exhausted;
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step();
        return Result::Delivered;
    }
    std::size_t Remaining() const { return steps_.size(); }

    std::vector<std::wstring> failures;
    int calls = 0;
    int polls = 0;

private:
    std::deque<std::function<void()>> steps_;
    ui::InputSource* previous_ = nullptr;
};
