#pragma once
// The fields of a record: the tags after its 0 tag, each with the subclass it stands in (the
// last group 100 before it, "" before any). Application groups are passed over; extended data
// (group 1000 on) ends the walk.
#include "dxf/DxfTags.h"

namespace kestrel::dxf {

template <class Visit>
void forEachField(std::string_view bytes, size_t begin, size_t end, Visit&& visit) {
    std::string_view subclass;
    AppGroupDepth groups;
    TagRange tags(bytes, begin, end);
    Tag t;
    tags.next(t);
    while (tags.next(t)) {
        if (t.code >= 1000)
            break;
        if (groups.step(t.code, t.value) || groups.inside())
            continue;
        if (t.code == 100) {
            subclass = t.value;
            continue;
        }
        visit(subclass, t.code, t.value);
    }
}

} // namespace kestrel::dxf
