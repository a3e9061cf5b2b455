#pragma once
// The desktop's base services as far as the windowing code uses them: time, sound, global
// memory blocks (the clipboard's currency), code-page conversion and the module's own file.

#include <windef.h>

constexpr UINT GMEM_FIXED = 0x0, GMEM_MOVEABLE = 0x2, GMEM_ZEROINIT = 0x40, GHND = 0x42;

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
void* GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
std::size_t GlobalSize(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory); // null on success

// Time passes by the clock of the message loop: real with a display, virtual without one.
void Sleep(DWORD milliseconds);
DWORD GetTickCount();
BOOL Beep(DWORD frequency, DWORD duration);

constexpr UINT CP_ACP = 0;
// The ANSI code page is Latin-1 here, as in the text files: code units 0-255 are the byte of
// the same value; other characters become the default character "?".
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR bytes,
                        int byteCount, LPCSTR defaultChar, BOOL* usedDefault);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
                        int wideCount);

// Why a library's load/unload entry is called.
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;

// The full path of the module whose code or data holds `module` (an instance handle), as the
// module was loaded: at most size - 1 characters and a terminator. A null handle names the
// program. Answers the length copied, 0 when unknown.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
