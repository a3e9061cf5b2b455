#pragma once
// Drawing shared by the controls: their font and text in the enabled or disabled look.

#include <afxwin.h>

namespace ui {

CFont* ControlFont(const CWnd* wnd); // the window's font, else the default GUI font
// Text in the current text colour, or embossed grey when disabled; answers the text box.
CRect DrawControlText(CDC& dc, const CString& text, CRect rect, UINT format, bool enabled);

} // namespace ui
