#pragma once
// Interim: the windowing class library's main header, gathered from the current platform/ui
// headers until the platform layer provides its own include/ tree.

#include <windows.h>

#include "platform/crt/Runtime.h"
#include "platform/ui/CBitmap.h"
#include "platform/ui/CBrush.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CFont.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CPen.h"
#include "platform/ui/CRgn.h"
#include "platform/ui/CScrollBar.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/CString.h"
#include "platform/ui/CWnd.h"
