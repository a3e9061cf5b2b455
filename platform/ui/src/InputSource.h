#pragma once
// Where input comes from when the message queue runs dry. A headless run feeds the queue
// from a script, one line per call; a display back end turns its events into messages.

#include <string>

#include <windef.h>

namespace ui {

class InputSource {
public:
    enum class Result { Delivered, Exhausted };
    virtual ~InputSource() = default;

    // The message loop has nothing to do. Deliver the next piece of input (post messages,
    // let time pass, take a shot, check something) and answer Delivered; answer Exhausted
    // when no more input will ever come. `blocking` is true when a loop waits for input
    // (GetMessage) and false when code only polls (PeekMessage inside a handler). A call may
    // run nested message loops that call this again.
    virtual Result NextInput(bool blocking) = 0;
};

// Installs the input source (null: none); answers the previous one.
InputSource* SetInputSource(InputSource* source);
InputSource* GetInputSource();

// Once the input source said Exhausted, every message loop unwinds: GetMessage answers
// FALSE, modal loops end with -1. These tell what was waiting when the input ran out.
bool InputExhausted();
std::wstring ExhaustedWhileWaitingFor(); // caption of the modal window, or "" for none
// Forgets the exhaustion, the queue and the key state (tests, a new script).
void ResetInput();

} // namespace ui
