#pragma once
// The runtime's wide-character file streams as the desktop has them. A text-mode stream stores
// one byte per character (code units 0-255 map to the byte of the same value and back), writes
// "\n" as CR LF and reads CR LF (or a bare LF) as "\n". Characters above 255 cannot be stored:
// writing one fails and sets the stream's error state.

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/crt/WideFormat.h"

struct CrtFile;

CrtFile* _wfopen(const wchar_t* path, const wchar_t* mode);
int fclose(CrtFile* file);
int feof(CrtFile* file);
int ferror(CrtFile* file);
int fflush(CrtFile* file);
// fflush(nullptr) flushes every stream; the overload above would make it ambiguous.
inline int fflush(std::nullptr_t) {
    return std::fflush(nullptr);
}
wchar_t* fgetws(wchar_t* buffer, int count, CrtFile* file);
wint_t fgetwc(CrtFile* file);
int fputws(const wchar_t* text, CrtFile* file);
wint_t fputwc(wchar_t c, CrtFile* file);
int _wremove(const wchar_t* path);

namespace crt {

// Renames a file, replacing the target in one step when it exists (the desktop's _wrename
// refuses an existing target); 0 on success, -1 on failure.
int RenameOver(const wchar_t* from, const wchar_t* to);

int WriteText(CrtFile* file, const std::wstring& text);

// Pointers that a scan stores into, tagged with their type.
struct ScanArg {
    enum class Kind { Int, Long, LongLong, Short, UInt, Float, Double, WideText, WideChar } kind;
    void* target;
    ScanArg(int* p) : kind(Kind::Int), target(p) {}
    ScanArg(long* p) : kind(Kind::Long), target(p) {}
    ScanArg(long long* p) : kind(Kind::LongLong), target(p) {}
    ScanArg(short* p) : kind(Kind::Short), target(p) {}
    ScanArg(unsigned* p) : kind(Kind::UInt), target(p) {}
    ScanArg(float* p) : kind(Kind::Float), target(p) {}
    ScanArg(double* p) : kind(Kind::Double), target(p) {}
    ScanArg(wchar_t* p) : kind(Kind::WideText), target(p) {}
};

int ScanArgs(CrtFile* file, const wchar_t* format, const std::vector<ScanArg>& args);

} // namespace crt

template <class... Args> int fwprintf(CrtFile* file, const wchar_t* format, const Args&... args) {
    return crt::WriteText(file, crt::Format(format, args...));
}

template <class... Args> int fwscanf(CrtFile* file, const wchar_t* format, Args*... args) {
    return crt::ScanArgs(file, format, std::vector<crt::ScanArg>{crt::ScanArg(args)...});
}
