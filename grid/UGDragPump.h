#pragma once
// The message loop a drag runs between its steps while the pointer is held past an edge of
// the view, so that the view goes on scrolling without the pointer moving.

class CWnd;

// Runs what comes in until the pointer moves again or the button comes up (those messages are
// left queued for the drag's window) or `captor` lost the capture: then false, the drag's loop
// ends. With nothing queued, true: take another step; when the last step did not move the
// view, only after the next message arrives (false when waiting fails).
bool PumpBetweenDragSteps(const CWnd* captor, bool lastStepMoved);
