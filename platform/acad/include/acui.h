#pragma once
// The host's dialog-support library; applications' dialogs may open once it is ready.

bool InitAcUiDLL();
