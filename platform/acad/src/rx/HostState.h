#pragma once
// The host's own side of the services applications use: its main window and whether the
// dialog-support library is ready.

#include <windef.h>

bool IsAcUiReady();
// The program that hosts the editor sets the main window once it exists.
void SetAcadMainWindow(HWND window);
