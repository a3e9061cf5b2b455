#include "DrawingHeader.h"

namespace kestrel::acad {

using dxf::EditTag;
using dxf::Tag;
using dxf::TagRange;

void DrawingHeader::read(std::string_view bytes, const dxf::Record& section) {
    bytes_ = bytes;
    begin_ = uint32_t(section.begin);
    end_ = uint32_t(section.end);
    std::string_view acadver = "AC1009", codepage = "ANSI_1252";
    TagRange tags(bytes, section.begin, section.end);
    Tag t;
    tags.next(t); // 0 SECTION
    uint64_t line = section.line();
    while (tags.next(t)) {
        line += 2;
        uint32_t at = uint32_t(tags.lastStart());
        if (t.code == 9) {
            if (!variables_.empty())
                variables_.back().end = at;
            byName_.emplace(std::string(t.value), variables_.size());
            variables_.push_back(
                Variable{std::string(t.value), at, end_, uint32_t(tags.position())});
            continue;
        }
        if (variables_.empty() || at != variables_.back().valueStart)
            continue; // only a variable's first value tells
        const std::string& name = variables_.back().name;
        if (name == "$ACADVER")
            acadver = t.value;
        else if (name == "$DWGCODEPAGE")
            codepage = t.value;
        else
            take(name, t.value, line + 1);
    }
    version_ = dxf::acadVersionNumber(acadver);
    codec_.configure(version_, codepage);
}

// The variables that decide how handles are read and issued.
void DrawingHeader::take(const std::string& name, std::string_view value, uint64_t line) {
    if (name == "$HANDSEED") {
        if (!dxf::parseHandle(value, handseed_))
            dxf::fail(line, "invalid $HANDSEED " + dxf::excerpt(value));
    } else if (name == "$HANDLING") {
        // A number, however padded (R12 writes "     1"); anything else does not say.
        long long handling = 0;
        handling_ = dxf::parseInt(value, handling) ? int(handling != 0) : -1;
    }
}

const std::vector<EditTag>* DrawingHeader::setValue(const std::string& name) const {
    for (const auto& [n, tags] : set_)
        if (n == name)
            return &tags;
    return nullptr;
}

bool DrawingHeader::get(const std::string& name, std::vector<AcDbHeaderValue>& values) const {
    values.clear();
    if (const std::vector<EditTag>* tags = setValue(name)) {
        for (const EditTag& t : *tags)
            values.push_back(AcDbHeaderValue{t.code, codec_.decode(t.value)});
        return true;
    }
    auto it = byName_.find(name);
    if (it == byName_.end())
        return false;
    const Variable& v = variables_[it->second];
    TagRange tags(bytes_, v.valueStart, v.end);
    Tag t;
    while (tags.next(t))
        values.push_back(AcDbHeaderValue{t.code, codec_.decode(t.value)});
    return true;
}

void DrawingHeader::set(const std::string& name, const std::vector<AcDbHeaderValue>& values) {
    std::vector<EditTag> tags;
    for (const AcDbHeaderValue& v : values)
        tags.push_back(EditTag{v.groupCode, codec_.encode(v.text)});
    for (auto& [n, t] : set_) {
        if (n == name) {
            t = std::move(tags);
            return;
        }
    }
    set_.emplace_back(name, std::move(tags));
}

void DrawingHeader::write(dxf::TagWriter& w) const {
    auto writeSet = [&](const std::string& name, const std::vector<EditTag>& tags) {
        w.tag(9, name);
        for (const EditTag& t : tags)
            w.tag(t.code, t.value);
    };
    uint32_t variablesStart = variables_.empty() ? end_ : variables_.front().first;
    w.raw(bytes_.substr(begin_, variablesStart - begin_));
    for (const Variable& v : variables_) {
        if (const std::vector<EditTag>* tags = setValue(v.name))
            writeSet(v.name, *tags);
        else
            w.raw(bytes_.substr(v.first, v.end - v.first));
    }
    for (const auto& [name, tags] : set_)
        if (!byName_.count(name))
            writeSet(name, tags);
}

} // namespace kestrel::acad
