#include <adslib.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cwchar>

void* acad_malloc(std::size_t size) {
    return std::malloc(size ? size : 1);
}

void acad_free(void* block) {
    std::free(block);
}

wchar_t* acad_strdup(const wchar_t* text) {
    if (!text)
        text = L"";
    std::size_t length = std::wcslen(text) + 1;
    auto* copy = static_cast<wchar_t*>(acad_malloc(length * sizeof(wchar_t)));
    std::wmemcpy(copy, text, length);
    return copy;
}

bool IsStringGroupCode(int code) {
    return (code >= 0 && code <= 9) || code == RTSTR || (code >= 100 && code <= 102) ||
           (code >= 300 && code <= 309) || (code >= 1000 && code <= 1009);
}

resbuf* acutNewRb(int type) {
    auto* rb = static_cast<resbuf*>(acad_malloc(sizeof(resbuf)));
    std::memset(rb, 0, sizeof(resbuf));
    rb->restype = static_cast<short>(type);
    return rb;
}

int acutRelRb(resbuf* list) {
    while (list) {
        resbuf* next = list->rbnext;
        if (IsStringGroupCode(list->restype))
            acad_free(list->resval.rstring);
        acad_free(list);
        list = next;
    }
    return RTNORM;
}

resbuf* acutBuildList(int type, ...) {
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (; type != 0; type = va_arg(args, int)) {
        resbuf* rb = acutNewRb(type);
        if (IsStringGroupCode(type)) {
            rb->resval.rstring = acad_strdup(va_arg(args, const wchar_t*));
        } else if (type == RTREAL || type == RTANG || (type >= 40 && type <= 59)) {
            rb->resval.rreal = va_arg(args, double);
        } else if (type == RTPOINT || type == RT3DPOINT || (type >= 10 && type <= 17)) {
            const double* point = va_arg(args, const double*);
            for (int i = 0; i < 3; ++i)
                rb->resval.rpoint[i] = point[i];
        } else if (type == RTSHORT || (type >= 60 && type <= 79)) {
            rb->resval.rint = static_cast<short>(va_arg(args, int));
        } else if (type == RTLONG || (type >= 90 && type <= 99)) {
            rb->resval.rlong = va_arg(args, std::int32_t);
        } else {
            acutRelRb(rb);
            acutRelRb(head);
            va_end(args);
            return nullptr; // a type this list cannot carry
        }
        *tail = rb;
        tail = &rb->rbnext;
    }
    va_end(args);
    return head;
}
