#include "dxf/TagEditor.h"

#include "dxf/DxfTags.h"

namespace kestrel::dxf {

TagEditor::TagEditor(std::vector<EditTag> tags, bool subclassed)
    : tags_(std::move(tags)), subclassed_(subclassed) {}

size_t TagEditor::mainEnd() const {
    for (size_t i = 1; i < tags_.size(); ++i)
        if (tags_[i].code >= 1000)
            return i;
    return tags_.size();
}

void TagEditor::range(std::string_view subclass, bool lastMarker, size_t& begin, size_t& end) {
    size_t stop = mainEnd();
    if (!subclassed_ || subclass.empty()) {
        begin = tags_.empty() ? 0 : 1;
        end = stop;
        return;
    }
    size_t marker = stop;
    for (size_t i = 1; i < stop; ++i) {
        if (tags_[i].code == 100 && tags_[i].value == subclass) {
            marker = i;
            if (!lastMarker)
                break;
        }
    }
    if (marker == stop) {
        tags_.insert(tags_.begin() + long(stop), EditTag{100, std::string(subclass)});
        begin = end = stop + 1;
        return;
    }
    begin = marker + 1;
    end = begin;
    while (end < stop && tags_[end].code != 100)
        ++end;
}

size_t TagEditor::find(size_t begin, size_t end, int code) const {
    AppGroupDepth groups;
    for (size_t i = begin; i < end; ++i) {
        if (groups.step(tags_[i].code, tags_[i].value))
            continue;
        if (!groups.inside() && tags_[i].code == code)
            return i;
    }
    return std::string::npos;
}

void TagEditor::set(std::string_view subclass, int code, std::string value, bool lastMarker) {
    size_t b, e;
    range(subclass, lastMarker, b, e);
    size_t i = find(b, e, code);
    if (i != std::string::npos)
        tags_[i].value = std::move(value);
    else
        tags_.insert(tags_.begin() + long(e), EditTag{code, std::move(value)});
}

void TagEditor::setOptional(std::string_view subclass, int code, std::string value, bool isDefault,
                            bool lastMarker) {
    if (isDefault && !has(subclass, code, lastMarker))
        return;
    set(subclass, code, std::move(value), lastMarker);
}

bool TagEditor::has(std::string_view subclass, int code, bool lastMarker) {
    if (subclassed_ && !subclass.empty()) {
        bool found = false;
        for (const EditTag& t : tags_)
            if (t.code == 100 && t.value == subclass)
                found = true;
        if (!found)
            return false;
    }
    size_t b, e;
    range(subclass, lastMarker, b, e);
    return find(b, e, code) != std::string::npos;
}

void TagEditor::remove(std::string_view subclass, int code, bool lastMarker) {
    if (!has(subclass, code, lastMarker))
        return;
    size_t b, e;
    range(subclass, lastMarker, b, e);
    size_t i = find(b, e, code);
    if (i != std::string::npos)
        tags_.erase(tags_.begin() + long(i));
}

void TagEditor::setPoint(std::string_view subclass, int code, const double xyz[3],
                         bool lastMarker) {
    size_t b, e;
    range(subclass, lastMarker, b, e);
    size_t i = find(b, e, code);
    if (i == std::string::npos) {
        auto at = tags_.begin() + long(e);
        at = tags_.insert(at, EditTag{code, formatDouble(xyz[0])}) + 1;
        at = tags_.insert(at, EditTag{code + 10, formatDouble(xyz[1])}) + 1;
        tags_.insert(at, EditTag{code + 20, formatDouble(xyz[2])});
        return;
    }
    for (int k = 0; k < 3; ++k) {
        size_t at = i + size_t(k);
        std::string v = formatDouble(xyz[k]);
        if (at < tags_.size() && tags_[at].code == code + 10 * k)
            tags_[at].value = std::move(v);
        else
            tags_.insert(tags_.begin() + long(at), EditTag{code + 10 * k, std::move(v)});
    }
}

} // namespace kestrel::dxf
