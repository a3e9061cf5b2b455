#pragma once
// Selection sets handed out by acedSSGet and the answers that build them: ALL, W and C
// windows on the entities' extents, H with handles, an empty line to end.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ed/DrawingLink.h"
#include "ed/ScriptLine.h"

namespace ed {

// Which entity types a filter keeps: group code 0 with a type or a comma-separated list of
// types ("INSERT", "LINE,INSERT"), compared without regard to case. An empty filter keeps all.
class EntityFilter {
public:
    bool Add(int groupCode, const std::wstring& value); // false for a code it cannot filter on
    bool Keeps(const SelectableEntity& entity) const;

private:
    std::vector<std::wstring> types_;
};

// The entities an answer to "Select objects" names, in drawing order; nothing when the line
// is not a selection answer (the message says why).
std::optional<std::vector<std::uint64_t>> EntitiesNamedBy(const ScriptLine& line,
                                                          const std::vector<SelectableEntity>& all,
                                                          std::wstring& message);

class SelectionSets {
public:
    // Stores a set and gives its number (never 0).
    std::int64_t Add(std::vector<std::uint64_t> handles);
    const std::vector<std::uint64_t>* Find(std::int64_t id) const;
    bool Free(std::int64_t id);
    std::size_t Count() const { return sets_.size(); }
    void Clear() { sets_.clear(); }

private:
    std::map<std::int64_t, std::vector<std::uint64_t>> sets_;
    std::int64_t next_ = 1;
};

SelectionSets& Selections();

} // namespace ed
