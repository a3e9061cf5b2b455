#pragma once
// The HEADER section: its variables where the file holds them, the values set since, and the
// four that reading the rest of the drawing depends on: the release ($ACADVER), the code page
// of its texts ($DWGCODEPAGE), the handle seed ($HANDSEED) and whether it has handles
// ($HANDLING).
#include "dbmain.h"
#include "dxf/DxfStructure.h"
#include "dxf/DxfText.h"
#include "dxf/TagEditor.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace kestrel::acad {

class DrawingHeader {
public:
    // Reads the variables of the HEADER section's record, which holds them all. Throws
    // dxf::DxfError for a $HANDSEED that is not a handle.
    void read(std::string_view bytes, const dxf::Record& section);

    int version() const { return version_; }
    bool subclassed() const { return version_ >= 1012; } // subclass markers from R13 on
    const dxf::TextCodec& codec() const { return codec_; }
    uint64_t handseed() const { return handseed_; } // 0 when the header has none
    // $HANDLING: 1 handles on, 0 off, -1 when the header does not say.
    int handling() const { return handling_; }

    // A variable's tags (a value set since the file was read, or the file's); false when the
    // drawing has no such variable.
    bool get(const std::string& name, std::vector<AcDbHeaderValue>& values) const;
    void set(const std::string& name, const std::vector<AcDbHeaderValue>& values);

    bool changed() const { return !set_.empty(); }
    // Writes the section's record: the file's variables in their order, those set in place of
    // theirs, new ones at the end.
    void write(dxf::TagWriter& writer) const;

private:
    struct Variable {
        std::string name;
        uint32_t first;      // byte offsets: the group 9 tag, the end of the variable's last tag
        uint32_t end;        //
        uint32_t valueStart; // the tag after the group 9
    };
    void take(const std::string& name, std::string_view value, uint64_t line);
    const std::vector<dxf::EditTag>* setValue(const std::string& name) const;

    std::string_view bytes_;
    uint32_t begin_ = 0; // the record's bytes
    uint32_t end_ = 0;
    std::vector<Variable> variables_;
    std::unordered_map<std::string, size_t> byName_;
    std::vector<std::pair<std::string, std::vector<dxf::EditTag>>> set_;
    int version_ = 1009;
    dxf::TextCodec codec_;
    uint64_t handseed_ = 0;
    int handling_ = -1;
};

} // namespace kestrel::acad
