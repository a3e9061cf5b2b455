#include <afxwin.h>

#include "WindowSystem.h"

CPaintDC::CPaintDC(CWnd* wnd) : wnd_(wnd) {
    if (wnd && wnd->m_hWnd)
        ui::WindowSystem::BeginPaintInto(wnd, *this, &m_ps);
}

CPaintDC::~CPaintDC() {
    DetachSurface();
}

CClientDC::CClientDC(CWnd* wnd) : wnd_(wnd) {
    if (wnd && wnd->m_hWnd)
        ui::WindowSystem::PrepareDC(wnd, *this, false);
}

CWindowDC::CWindowDC(CWnd* wnd) : wnd_(wnd) {
    if (wnd && wnd->m_hWnd)
        ui::WindowSystem::PrepareDC(wnd, *this, true);
}
