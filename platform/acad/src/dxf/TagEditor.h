#pragma once
// An object's tags as owned strings, edited in place by group code within a subclass, so that
// writing a changed object keeps every tag it does not model where it stood.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::dxf {

struct EditTag {
    int code;
    std::string value;
};

class TagEditor {
public:
    // subclassed: the record carries subclass markers (group 100), as from R2000 on.
    TagEditor(std::vector<EditTag> tags, bool subclassed);

    void set(std::string_view subclass, int code, std::string value, bool lastMarker = false);
    // Leaves an absent tag absent while the value is the default.
    void setOptional(std::string_view subclass, int code, std::string value, bool isDefault,
                     bool lastMarker = false);
    void setPoint(std::string_view subclass, int code, const double xyz[3],
                  bool lastMarker = false);
    void remove(std::string_view subclass, int code, bool lastMarker = false);
    bool has(std::string_view subclass, int code, bool lastMarker = false);
    const std::vector<EditTag>& tags() const { return tags_; }
    std::vector<EditTag>& tags() { return tags_; }

private:
    size_t mainEnd() const;
    void range(std::string_view subclass, bool lastMarker, size_t& begin, size_t& end);
    size_t find(size_t begin, size_t end, int code) const;
    std::vector<EditTag> tags_;
    bool subclassed_;
};

} // namespace kestrel::dxf
