#pragma once
// Selection sets handed out by acedSSGet and the answers that build them: ALL, W and C
// windows on the entities' extents, H with handles, an empty line to end. Every step is a
// lookup per entity, never a search, so a selection of a million entities takes as long as
// reading them.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
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
    std::vector<std::wstring> types_; // in capitals
};

// The entities a selection may take, in drawing order, with what answers find them by: their
// extents (for W and C) and their handles (for H), each worked out when first needed.
class Candidates {
public:
    Candidates(EntityList entities, DrawingLink* drawing);
    std::size_t Size() const { return entities_.size(); }
    const SelectableEntity& operator[](std::size_t i) const { return entities_[i]; }
    const std::optional<Extents2d>& ExtentsAt(std::size_t i);
    // The position of the entity with the handle; nothing when none has it.
    std::optional<std::size_t> FindHandle(std::uint64_t handle);

private:
    EntityList entities_;
    DrawingLink* drawing_;
    std::optional<std::vector<std::optional<Extents2d>>> extents_;
    std::optional<std::unordered_map<std::uint64_t, std::size_t>> byHandle_;
};

// The candidates an answer to "Select objects" names: every one (ALL, without listing a
// million positions), or the positions of some in the order the answer names them (H may name
// one twice).
struct Named {
    bool every = false;
    std::vector<std::size_t> positions;
    std::size_t Count(const Candidates& candidates) const {
        return every ? candidates.Size() : positions.size();
    }
};

// What an answer names; nothing when the line is not a selection answer (the message says why).
std::optional<Named> EntitiesNamedBy(const ScriptLine& line, Candidates& candidates,
                                     std::wstring& message);

// The entities of a selection set, by name; a set may hold a million.
using EntityNames = kestrel::acad::BigVector<std::int64_t>;

// What a selection has picked so far.
class Picked {
public:
    explicit Picked(std::size_t candidates) : picked_(candidates, false) {}
    // Adds the named candidates; answers how many of them were picked already.
    std::size_t Add(const Named& named);
    std::size_t Total() const { return total_; }
    // The entity names of the picked candidates, in drawing order.
    EntityNames Names(const Candidates& candidates) const;

private:
    std::vector<bool> picked_;
    std::size_t total_ = 0;
};

class SelectionSets {
public:
    // Stores a set of entity names and gives its number (never 0).
    std::int64_t Add(EntityNames names);
    const EntityNames* Find(std::int64_t id) const;
    bool Free(std::int64_t id);
    std::size_t Count() const { return sets_.size(); }
    void Clear() { sets_.clear(); }

private:
    std::map<std::int64_t, EntityNames> sets_;
    std::int64_t next_ = 1;
};

SelectionSets& Selections();

// Told the entity names a selection holds each time it grows, and nothing once it ends, so
// that a view can highlight them.
using SelectionListener = std::function<void(const std::vector<std::int64_t>& names)>;
void SetSelectionListener(SelectionListener listener);
void TellSelection(const std::vector<std::int64_t>& names);

} // namespace ed
