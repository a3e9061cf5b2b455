#include "dxf/DxfStructure.h"

namespace kestrel::dxf {

RecordReader::RecordReader(std::string_view bytes, size_t start) : reader_(bytes, start) {}

static Section sectionOf(std::string_view name) {
    if (name == "HEADER")
        return Section::Header;
    if (name == "CLASSES")
        return Section::Classes;
    if (name == "TABLES")
        return Section::Tables;
    if (name == "BLOCKS")
        return Section::Blocks;
    if (name == "ENTITIES")
        return Section::Entities;
    if (name == "OBJECTS")
        return Section::Objects;
    return Section::Other;
}

bool RecordReader::next(Record& r) {
    if (ended_)
        return false;
    Tag t;
    size_t begin;
    if (havePending_) {
        t = pending_;
        havePending_ = false;
        begin = pendingStart_;
    } else if (reader_.next(t)) {
        begin = reader_.lastStart();
    } else {
        uint64_t last = started_ ? tagLine(reader_.lastIndex()) + 1 : 1;
        if (sectionOpen_)
            fail(last,
                 "the file ends inside section " + std::string(sectionName_) + " (truncated?)");
        fail(last, "the file ends without EOF (truncated?)");
    }
    r = Record{};
    r.firstTag = havePendingIndex_ ? pendingIndex_ : reader_.lastIndex();
    havePendingIndex_ = false;
    r.begin = begin;
    if (t.code != 0) {
        // Only comments may stand before the first record.
        if (started_ || t.code != 999)
            fail(tagLine(r.firstTag), "group code 0 expected, found " + std::to_string(t.code));
    } else {
        r.type = t.value;
    }
    started_ = true;
    bool isSection = r.type == "SECTION";
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
    AppGroupDepth groups;
    bool haveName = false, haveHandle = false;
    while (reader_.next(t)) {
        if (t.code == 0) {
            pending_ = t;
            havePending_ = true;
            pendingStart_ = reader_.lastStart();
            pendingIndex_ = reader_.lastIndex();
            havePendingIndex_ = true;
            break;
        }
        if (groups.step(t.code, t.value))
            continue;
        switch (t.code) {
        case 2:
            if (!haveName) {
                r.name = t.value;
                haveName = true;
            }
            break;
        case 5:
        case 105:
            if (!haveHandle && !isSection && !groups.inside()) {
                r.handle = t.value;
                haveHandle = true;
            }
            break;
        case 66:
            r.attribsFollow = t.value.find('1') != std::string_view::npos;
            break;
        case 67:
            r.paperSpace = t.value.find('1') != std::string_view::npos;
            break;
        default:
            break;
        }
    }
    r.endTag = havePending_ ? reader_.lastIndex() : reader_.lastIndex() + 1;
    r.end = havePending_ ? pendingStart_ : reader_.position();
    classify(r);
    return true;
}

void RecordReader::classify(Record& r) {
    std::string_view type = r.type;
    uint64_t line = r.line();
    if (type.empty() && r.firstTag == 0) {
        r.role = Role::Comments;
        return;
    }
    if (type == "SECTION") {
        if (sectionOpen_)
            fail(line, "SECTION inside section " + std::string(sectionName_) + " (ENDSEC missing)");
        if (r.name.empty())
            fail(line, "SECTION without a name");
        sectionOpen_ = true;
        sectionName_ = r.name;
        section_ = sectionOf(r.name);
        r.section = section_;
        r.role = Role::SectionStart;
        sub_ = Sub::None;
        return;
    }
    if (!sectionOpen_)
        fail(line, excerpt(type) + " outside of a section (SECTION expected)");
    r.section = section_;

    // Sub-entities follow their INSERT or POLYLINE and end with SEQEND.
    if (sub_ != Sub::None) {
        r.role = section_ == Section::Blocks ? Role::BlockEntity : Role::Entity;
        bool fits = (sub_ == Sub::Attribs && type == "ATTRIB") ||
                    (sub_ == Sub::Vertices && type == "VERTEX");
        if (fits) {
            r.subEntity = true;
            return;
        }
        if (type == "SEQEND") {
            r.subEntity = true;
            sub_ = Sub::None;
            return;
        }
        fail(line, excerpt(type) + " where SEQEND was expected to end the " +
                       (sub_ == Sub::Attribs ? "attributes of the INSERT" : "POLYLINE") +
                       " at line " + std::to_string(parentLine_));
    }
    if (type == "ATTRIB" || type == "VERTEX" || type == "SEQEND")
        fail(line, std::string(type) + " without a preceding " +
                       (type == "VERTEX" ? "POLYLINE" : "INSERT"));

    if (type == "ENDSEC") {
        if (tableOpen_)
            fail(line, "ENDSEC while the TABLE at line " + std::to_string(tableLine_) +
                           " is open (ENDTAB missing)");
        if (blockOpen_)
            fail(line, "ENDSEC while the BLOCK at line " + std::to_string(blockLine_) +
                           " is open (ENDBLK missing)");
        sectionOpen_ = false;
        r.role = Role::SectionEnd;
        return;
    }
    switch (section_) {
    case Section::Tables:
        if (type == "TABLE") {
            if (tableOpen_)
                fail(line, "TABLE inside the TABLE at line " + std::to_string(tableLine_) +
                               " (ENDTAB missing)");
            tableOpen_ = true;
            tableLine_ = line;
            r.role = Role::TableStart;
        } else if (type == "ENDTAB") {
            if (!tableOpen_)
                fail(line, "ENDTAB without TABLE");
            tableOpen_ = false;
            r.role = Role::TableEnd;
        } else if (!tableOpen_) {
            fail(line, excerpt(type) + " outside of a TABLE");
        } else {
            r.role = Role::TableEntry;
        }
        return;
    case Section::Blocks:
        if (type == "BLOCK") {
            if (blockOpen_)
                fail(line, "BLOCK inside the BLOCK at line " + std::to_string(blockLine_) +
                               " (ENDBLK missing)");
            blockOpen_ = true;
            blockLine_ = line;
            r.role = Role::BlockStart;
            return;
        }
        if (type == "ENDBLK") {
            if (!blockOpen_)
                fail(line, "ENDBLK without BLOCK");
            blockOpen_ = false;
            r.role = Role::BlockEnd;
            return;
        }
        if (!blockOpen_)
            fail(line, excerpt(type) + " outside of a BLOCK");
        r.role = Role::BlockEntity;
        break;
    case Section::Entities:
        r.role = Role::Entity;
        break;
    default:
        r.role = Role::Other;
        return;
    }
    if (type == "INSERT" && r.attribsFollow) {
        sub_ = Sub::Attribs;
        parentLine_ = line;
    } else if (type == "POLYLINE") {
        sub_ = Sub::Vertices;
        parentLine_ = line;
    }
}

} // namespace kestrel::dxf
