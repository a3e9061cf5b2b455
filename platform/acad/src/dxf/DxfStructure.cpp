#include "dxf/DxfStructure.h"

#include <utility>

namespace kestrel::dxf {

RecordReader::RecordReader(std::string_view bytes, size_t start) : reader_(bytes, start) {}

namespace {

constexpr std::pair<std::string_view, Section> kSections[] = {
    {"HEADER", Section::Header}, {"CLASSES", Section::Classes},   {"TABLES", Section::Tables},
    {"BLOCKS", Section::Blocks}, {"ENTITIES", Section::Entities}, {"OBJECTS", Section::Objects}};

Section sectionOf(std::string_view name) {
    for (auto [known, section] : kSections)
        if (known == name)
            return section;
    return Section::Other;
}

} // namespace

bool RecordReader::next(Record& r) {
    if (ended_)
        return false;
    r = Record{};
    Tag t = firstTag(r);
    if (t.code != 0) {
        // Only comments may stand before the first record.
        if (started_ || t.code != 999)
            fail(tagLine(r.firstTag), "group code 0 expected, found " + std::to_string(t.code));
    } else {
        r.type = t.value;
    }
    started_ = true;
    if (r.type == "EOF") {
        r.endTag = r.firstTag + 1;
        r.end = reader_.position();
        if (sectionOpen_)
            fail(r.line(), "EOF inside section " + std::string(sectionName_) + " (ENDSEC missing)");
        ended_ = true;
        r.section = Section::None;
        r.role = Role::End;
        return true;
    }
    readFields(r);
    classify(r);
    return true;
}

// The record's 0 tag: the one read last time, or the next one of the file.
Tag RecordReader::firstTag(Record& r) {
    Tag t;
    if (havePending_) {
        t = pending_;
        havePending_ = false;
        r.begin = pendingStart_;
        r.firstTag = pendingIndex_;
        return t;
    }
    if (!reader_.next(t)) {
        uint64_t last = started_ ? tagLine(reader_.lastIndex()) + 1 : 1;
        if (sectionOpen_)
            fail(last,
                 "the file ends inside section " + std::string(sectionName_) + " (truncated?)");
        fail(last, "the file ends without EOF (truncated?)");
    }
    r.begin = reader_.lastStart();
    r.firstTag = reader_.lastIndex();
    return t;
}

// The tags up to the next 0 tag, which is kept for the next record; the name, handle and
// flags that placing the record needs are taken on the way.
void RecordReader::readFields(Record& r) {
    bool isSection = r.type == "SECTION";
    AppGroupDepth groups;
    bool haveName = false, haveHandle = false;
    Tag t;
    while (reader_.next(t)) {
        if (t.code == 0) {
            pending_ = t;
            havePending_ = true;
            pendingStart_ = reader_.lastStart();
            pendingIndex_ = reader_.lastIndex();
            break;
        }
        if (groups.step(t.code, t.value))
            continue;
        if (t.code == 2 && !haveName) {
            r.name = t.value;
            haveName = true;
        } else if ((t.code == 5 || t.code == 105) && !haveHandle && !isSection &&
                   !groups.inside()) {
            r.handle = t.value;
            haveHandle = true;
        } else if (t.code == 66) {
            r.attribsFollow = t.value.find('1') != std::string_view::npos;
        } else if (t.code == 67) {
            r.paperSpace = t.value.find('1') != std::string_view::npos;
        }
    }
    r.endTag = havePending_ ? reader_.lastIndex() : reader_.lastIndex() + 1;
    r.end = havePending_ ? pendingStart_ : reader_.position();
}

void RecordReader::classify(Record& r) {
    std::string_view type = r.type;
    uint64_t line = r.line();
    if (type.empty() && r.firstTag == 0) {
        r.role = Role::Comments;
        return;
    }
    if (type == "SECTION") {
        startSection(r);
        return;
    }
    if (!sectionOpen_)
        fail(line, excerpt(type) + " outside of a section (SECTION expected)");
    r.section = section_;
    if (sub_ != Sub::None) {
        placeSubEntity(r);
        return;
    }
    if (type == "ATTRIB" || type == "VERTEX" || type == "SEQEND")
        fail(line, std::string(type) + " without a preceding " +
                       (type == "VERTEX" ? "POLYLINE" : "INSERT"));
    if (type == "ENDSEC") {
        endSection(r);
        return;
    }
    switch (section_) {
    case Section::Tables:
        placeInTables(r);
        return;
    case Section::Blocks:
        if (!placeInBlocks(r))
            return;
        break;
    case Section::Entities:
        r.role = Role::Entity;
        break;
    default:
        r.role = Role::Other;
        return;
    }
    // An entity: sub-entities follow an INSERT with attributes, or a POLYLINE.
    if (type == "INSERT" && r.attribsFollow) {
        sub_ = Sub::Attribs;
        parentLine_ = line;
    } else if (type == "POLYLINE") {
        sub_ = Sub::Vertices;
        parentLine_ = line;
    }
}

void RecordReader::startSection(Record& r) {
    if (sectionOpen_)
        fail(r.line(), "SECTION inside section " + std::string(sectionName_) + " (ENDSEC missing)");
    if (r.name.empty())
        fail(r.line(), "SECTION without a name");
    sectionOpen_ = true;
    sectionName_ = r.name;
    section_ = sectionOf(r.name);
    r.section = section_;
    r.role = Role::SectionStart;
    sub_ = Sub::None;
}

// Sub-entities follow their INSERT or POLYLINE and end with SEQEND.
void RecordReader::placeSubEntity(Record& r) {
    r.role = section_ == Section::Blocks ? Role::BlockEntity : Role::Entity;
    r.subEntity = true;
    if (r.type == "SEQEND") {
        sub_ = Sub::None;
        return;
    }
    bool fits = (sub_ == Sub::Attribs && r.type == "ATTRIB") ||
                (sub_ == Sub::Vertices && r.type == "VERTEX");
    if (!fits)
        fail(r.line(), excerpt(r.type) + " where SEQEND was expected to end the " +
                           (sub_ == Sub::Attribs ? "attributes of the INSERT" : "POLYLINE") +
                           " at line " + std::to_string(parentLine_));
}

void RecordReader::endSection(Record& r) {
    auto stillOpen = [&](const char* what, uint64_t at, const char* missing) {
        fail(r.line(), std::string("ENDSEC while the ") + what + " at line " + std::to_string(at) +
                           " is open (" + missing + " missing)");
    };
    if (tableOpen_)
        stillOpen("TABLE", tableLine_, "ENDTAB");
    if (blockOpen_)
        stillOpen("BLOCK", blockLine_, "ENDBLK");
    sectionOpen_ = false;
    r.role = Role::SectionEnd;
}

void RecordReader::placeInTables(Record& r) {
    uint64_t line = r.line();
    if (r.type == "TABLE") {
        if (tableOpen_)
            fail(line, "TABLE inside the TABLE at line " + std::to_string(tableLine_) +
                           " (ENDTAB missing)");
        tableOpen_ = true;
        tableLine_ = line;
        r.role = Role::TableStart;
    } else if (r.type == "ENDTAB") {
        if (!tableOpen_)
            fail(line, "ENDTAB without TABLE");
        tableOpen_ = false;
        r.role = Role::TableEnd;
    } else if (!tableOpen_) {
        fail(line, excerpt(r.type) + " outside of a TABLE");
    } else {
        r.role = Role::TableEntry;
    }
}

// True for an entity of the block.
bool RecordReader::placeInBlocks(Record& r) {
    uint64_t line = r.line();
    if (r.type == "BLOCK") {
        if (blockOpen_)
            fail(line, "BLOCK inside the BLOCK at line " + std::to_string(blockLine_) +
                           " (ENDBLK missing)");
        blockOpen_ = true;
        blockLine_ = line;
        r.role = Role::BlockStart;
        return false;
    }
    if (r.type == "ENDBLK") {
        if (!blockOpen_)
            fail(line, "ENDBLK without BLOCK");
        blockOpen_ = false;
        r.role = Role::BlockEnd;
        return false;
    }
    if (!blockOpen_)
        fail(line, excerpt(r.type) + " outside of a BLOCK");
    r.role = Role::BlockEntity;
    return true;
}

} // namespace kestrel::dxf
