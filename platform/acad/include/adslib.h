#pragma once
// Result codes, points, entity names and result buffers of the host's editor interface.

#include <cstdint>

#include <string>

#include <tchar.h>

// Results of the editor functions.
constexpr int RTNONE = 5000;   // no value (an empty answer where one is allowed)
constexpr int RTNORM = 5100;   // the request was answered
constexpr int RTKWORD = -5005; // a keyword was typed
constexpr int RTREJ = -5003;   // the request was refused
constexpr int RTERROR = -5001;
constexpr int RTCAN = -5002; // cancelled

// Result-buffer value types.
constexpr int RTREAL = 5001;
constexpr int RTPOINT = 5002;
constexpr int RTSHORT = 5003;
constexpr int RTANG = 5004;
constexpr int RTSTR = 5005;
constexpr int RTENAME = 5006;
constexpr int RTPICKS = 5007;
constexpr int RTLONG = 5010;
constexpr int RT3DPOINT = 5009;

// acedInitGet flags.
constexpr int RSG_NONULL = 1;
constexpr int RSG_NOZERO = 2;
constexpr int RSG_NONEG = 4;

using ads_real = double;
using ads_point = ads_real[3];
using ads_name = std::int64_t[2];

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    wchar_t* rstring;
    std::int64_t rlname[2];
    std::int32_t rlong;
};

struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};

// Memory the host hands out (strings in result buffers, file names) and the caller frees.
void* acad_malloc(std::size_t size);
void acad_free(void* block);
wchar_t* acad_strdup(const wchar_t* text);

// A new result buffer of the type, zeroed; acutRelRb frees a whole list with its strings.
resbuf* acutNewRb(int type);
int acutRelRb(resbuf* list);
// Builds a list from (type, value) pairs ended by 0: RTSTR and group codes 0-9 take a string,
// RTREAL a double, RTPOINT/RT3DPOINT a point, RTSHORT an int, RTLONG a 32-bit int.
resbuf* acutBuildList(int type, ...);

namespace ed {
// The command line's output, where acutPrintf prints.
void PrintOnCommandLine(const std::wstring& text);
} // namespace ed

// Prints on the command line, formatted with the runtime's wide rules.
template <class... Args> int acutPrintf(const wchar_t* format, const Args&... args) {
    if (!format)
        return 0;
    std::wstring text = crt::Format(format, args...);
    ed::PrintOnCommandLine(text);
    return static_cast<int>(text.size());
}
