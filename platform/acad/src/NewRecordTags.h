#pragma once
// The tags a record made here starts from, before its object writes its values into them: the
// fields every reader expects, at their defaults, as the drawing's release writes them.
#include "DrawingIndex.h"
#include "dxf/TagEditor.h"

#include <vector>

namespace kestrel::acad {

// What decides the shape of a new record besides its kind.
struct NewRecord {
    Kind kind = Kind::Entity;
    uint64_t handle = 0;
    uint64_t ownerHandle = 0;
    bool handles = true;           // the drawing writes handles
    int version = 1009;            // the drawing's release ("AC1015" is 1015)
    bool inPaperSpace = false;     // an entity of paper space held in the ENTITIES section
    bool attributesFollow = false; // a reference followed by new attributes
};

// Empty for a kind that is never made here.
std::vector<dxf::EditTag> newRecordTags(const NewRecord& record);

} // namespace kestrel::acad
