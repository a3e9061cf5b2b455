#pragma once
// Writes a drawing back: the file's bytes where nothing changed, in runs as long as possible;
// changed objects from their record's tags with their values written in; additions from the
// tags a new record starts from, each before the record it was placed in front of. A binary
// drawing is written as binary. Saving replaces the target atomically and keeps NAME.bak.
#include "DbStore.h"

#include <cstdio>
#include <string>

namespace kestrel::acad {

class DrawingWriter {
public:
    explicit DrawingWriter(const DbStore& store);
    // False with the reason in error; the target is then as it was.
    bool save(const std::string& path, std::string& error);
    // The tags of record s as a save writes them: the file's, or its object's values when it
    // changed or is new.
    std::vector<dxf::EditTag> tagsOf(uint32_t s) const;

private:
    bool writeTo(FILE* file, const std::string& path, std::string& error);
    bool writeText(FILE* file);
    void writeSlot(dxf::TagWriter& w, uint32_t s);
    void writeObject(dxf::TagWriter& w, uint32_t s);
    std::vector<dxf::EditTag> newRecord(uint32_t s) const;

    const DbStore& store_;
    const DrawingIndex& index_;
    std::string_view bytes_;
};

} // namespace kestrel::acad
