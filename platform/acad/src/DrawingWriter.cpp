#include "DrawingWriter.h"

#include "FileReplacement.h"
#include "NewRecordTags.h"
#include "dxf/BinaryDxf.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace kestrel::acad {

DrawingWriter::DrawingWriter(const DbStore& store)
    : store_(store), index_(store.index_), bytes_(store.bytes_.text()) {}

bool DrawingWriter::save(const std::string& path, std::string& error) {
    crt::FileReplacement file;
    if (!file.Begin(path, crt::FileReplacement::Backup::Keep)) {
        error = file.Failure();
        return false;
    }
    FILE* f = fdopen(dup(file.Descriptor()), "wb");
    if (!f) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = writeTo(f, path, error);
    int writeError = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        writeError = errno;
    }
    if (!ok) {
        if (error.empty())
            error = "cannot write " + path + ": " + std::strerror(writeError);
        return false;
    }
    if (!file.Commit()) {
        error = file.Failure();
        return false;
    }
    return true;
}

bool DrawingWriter::writeTo(FILE* file, const std::string& path, std::string& error) {
    if (!store_.bytes_.binary())
        return writeText(file);
    // Binary: the text first, then converted as a whole.
    char* text = nullptr;
    size_t length = 0;
    FILE* memory = open_memstream(&text, &length);
    bool ok = memory && writeText(memory);
    if (memory)
        std::fclose(memory);
    std::unique_ptr<char, decltype(&std::free)> release(text, &std::free);
    if (!ok)
        return false;
    try {
        std::string binary =
            dxf::textToBinary(std::string_view(text, length), store_.bytes_.oneByteCodes());
        return std::fwrite(binary.data(), 1, binary.size(), file) == binary.size();
    } catch (const dxf::DxfError& e) {
        error = "cannot write " + path + ": " + e.text();
        return false;
    }
}

bool DrawingWriter::writeText(FILE* file) {
    dxf::TagWriter w(file, store_.bytes_.lineEnd());
    w.raw(bytes_.substr(0, store_.bytes_.recordsBegin()));
    // Records that did not change are copied in runs, as the file holds them.
    uint32_t run = kNone;
    auto flushRun = [&](uint32_t endAt) {
        if (run == kNone)
            return;
        w.raw(bytes_.substr(index_.slot(run).offset, endAt - index_.slot(run).offset));
        run = kNone;
    };
    for (uint32_t s = 0; s < index_.fileSlotCount(); ++s) {
        const Slot& slot = index_.slot(s);
        if (slot.offset == kNone)
            continue; // a table or space the file does not hold; nothing waits on it
        bool plain = !(slot.flags & (kModified | kNew | kPending | kErased)) &&
                     !(index_.anyErased() && index_.dead(s));
        if (plain) {
            if (run == kNone)
                run = s;
            continue;
        }
        flushRun(slot.offset);
        writeSlot(w, s);
    }
    uint32_t trailing = uint32_t(index_.trailingOffset());
    flushRun(trailing);
    if (trailing < bytes_.size())
        w.raw(bytes_.substr(trailing));
    return w.finish();
}

void DrawingWriter::writeSlot(dxf::TagWriter& w, uint32_t s) {
    const Slot& slot = index_.slot(s);
    if (slot.flags & kPending)
        if (const std::vector<uint32_t>* before = index_.writtenBefore(s))
            for (uint32_t added : *before)
                writeSlot(w, added);
    if (index_.anyErased() && index_.dead(s))
        return;
    if (slot.kind == Kind::Header && (slot.flags & kModified))
        store_.header_.write(w);
    else if (slot.flags & (kModified | kNew))
        writeObject(w, s);
    else if (slot.offset != kNone)
        w.raw(bytes_.substr(slot.offset, index_.endOffset(s) - slot.offset));
    if (const std::vector<uint32_t>* subs = index_.subEntitiesOfNew(s))
        for (uint32_t sub : *subs)
            writeSlot(w, sub);
}

void DrawingWriter::writeObject(dxf::TagWriter& w, uint32_t s) {
    for (const dxf::EditTag& t : tagsOf(s))
        w.tag(t.code, t.value);
}

std::vector<dxf::EditTag> DrawingWriter::tagsOf(uint32_t s) const {
    const Slot& slot = index_.slot(s);
    std::vector<dxf::EditTag> tags = slot.offset != kNone ? index_.fileTags(s) : newRecord(s);
    if (!(slot.flags & (kModified | kNew)))
        return tags;
    dxf::TagEditor editor(std::move(tags), store_.subclassed());
    store_.writeFields(s, editor);
    return std::move(editor.tags());
}

std::vector<dxf::EditTag> DrawingWriter::newRecord(uint32_t s) const {
    const Slot& slot = index_.slot(s);
    NewRecord record;
    record.kind = slot.kind;
    record.handle = slot.handle;
    record.ownerHandle = slot.owner != kNone ? index_.slot(slot.owner).handle : 0;
    record.handles = index_.handles().written();
    record.version = store_.header_.version();
    uint32_t paperSpace = index_.block(index_.paperSpace()).record;
    record.inPaperSpace = slot.owner != kNone && slot.owner == paperSpace &&
                          index_.isBlockRecordSlot(slot.owner) && index_.paperSpaceInEntities();
    const std::vector<uint32_t>* subs = index_.subEntitiesOfNew(s);
    record.attributesFollow = subs && !subs->empty();
    return newRecordTags(record);
}

} // namespace kestrel::acad
