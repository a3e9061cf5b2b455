#pragma once
// The device contexts of a window: CPaintDC for a paint handler (clipped to what needs
// painting, validates it), CClientDC for drawing at once into the client area, CWindowDC for
// the whole window including its frame.

#include "platform/ui/CWnd.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    CWnd* wnd_;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);

protected:
    CWnd* wnd_;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);

protected:
    CWnd* wnd_;
};
