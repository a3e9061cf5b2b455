#pragma once
// Where a grid shows its column titles, seen as a person sees them: each title cell of the top
// heading is drawn raised, with a highlight line at its left edge and a shadow line at its
// right, so the cells can be found on the screen without asking the grid.

#include <vector>

#include <afxwin.h>

namespace shell {

struct HeadingCell {
    int left = 0;  // client x of the highlight line
    int right = 0; // client x of the shadow line
};

// The title cells that can be seen in the heading window, left to right (a column that is
// scrolled out of view or 0 wide has none).
std::vector<HeadingCell> VisibleHeadingCells(CWnd* heading);

// A window with the control id `id` inside `root`, looked for at any depth.
CWnd* FindControlDeep(CWnd* root, int id);

} // namespace shell
