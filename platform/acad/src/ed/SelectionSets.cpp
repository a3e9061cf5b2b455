#include "ed/SelectionSets.h"

#include <algorithm>
#include <cwctype>

#include "AsciiCase.h"

namespace ed {

namespace {

bool Inside(const Extents2d& e, const Extents2d& box) {
    return e.minX >= box.minX && e.maxX <= box.maxX && e.minY >= box.minY && e.maxY <= box.maxY;
}

bool Touches(const Extents2d& e, const Extents2d& box) {
    return e.minX <= box.maxX && e.maxX >= box.minX && e.minY <= box.maxY && e.maxY >= box.minY;
}

std::optional<std::uint64_t> ParseHandle(const std::wstring& text) {
    if (text.empty() || text.size() > 16)
        return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : text) {
        if (!std::iswxdigit(c))
            return std::nullopt;
        value =
            value * 16 + static_cast<std::uint64_t>(c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10);
    }
    return value;
}

// A DXF type name against a filter's type in capitals, without regard to case.
bool SameType(const char* type, const std::wstring& upper) {
    std::size_t i = 0;
    for (; type[i]; ++i)
        if (i == upper.size() ||
            crt::ToUpperAZ(static_cast<wchar_t>(static_cast<unsigned char>(type[i]))) != upper[i])
            return false;
    return i == upper.size();
}

std::optional<Named> InWindow(const ScriptLine& line, bool crossing, Candidates& candidates,
                              std::wstring& message) {
    auto a = ParsePoint(line[1].text), b = ParsePoint(line[2].text);
    if (!a || !b) {
        message = L"Two corners x,y are needed.";
        return std::nullopt;
    }
    Extents2d box{std::min(a->x, b->x), std::min(a->y, b->y), std::max(a->x, b->x),
                  std::max(a->y, b->y)};
    Named found;
    for (std::size_t i = 0; i < candidates.Size(); ++i) {
        const std::optional<Extents2d>& extents = candidates.ExtentsAt(i);
        if (extents && (crossing ? Touches(*extents, box) : Inside(*extents, box)))
            found.positions.push_back(i);
    }
    return found;
}

std::optional<Named> ByHandles(const ScriptLine& line, Candidates& candidates,
                               std::wstring& message) {
    Named found;
    for (std::size_t i = 1; i < line.Size(); ++i) {
        auto handle = ParseHandle(line[i].text);
        if (!handle) {
            message = L"\"" + line[i].text + L"\" is not a handle.";
            return std::nullopt;
        }
        if (auto at = candidates.FindHandle(*handle))
            found.positions.push_back(*at);
    }
    return found;
}

} // namespace

bool EntityFilter::Add(int groupCode, const std::wstring& value) {
    if (groupCode != 0)
        return false;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = value.find(L',', start);
        std::wstring type = crt::UpperAZ(value.substr(start, comma - start));
        if (!type.empty())
            types_.push_back(type);
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    return true;
}

bool EntityFilter::Keeps(const SelectableEntity& entity) const {
    return types_.empty() || std::any_of(types_.begin(), types_.end(), [&](const auto& type) {
               return SameType(entity.type, type);
           });
}

Candidates::Candidates(EntityList entities, DrawingLink* drawing)
    : entities_(std::move(entities)), drawing_(drawing) {}

const std::optional<Extents2d>& Candidates::ExtentsAt(std::size_t i) {
    if (!extents_) {
        extents_ =
            drawing_ ? drawing_->ExtentsOf(entities_) : std::vector<std::optional<Extents2d>>();
        extents_->resize(entities_.size());
    }
    return (*extents_)[i];
}

std::optional<std::size_t> Candidates::FindHandle(std::uint64_t handle) {
    if (!byHandle_) {
        byHandle_.emplace();
        byHandle_->reserve(entities_.size());
        for (std::size_t i = 0; i < entities_.size(); ++i)
            if (entities_[i].handle != 0)
                byHandle_->emplace(entities_[i].handle, i);
    }
    auto found = byHandle_->find(handle);
    if (handle == 0 || found == byHandle_->end())
        return std::nullopt;
    return found->second;
}

std::optional<Named> EntitiesNamedBy(const ScriptLine& line, Candidates& candidates,
                                     std::wstring& message) {
    std::wstring verb = line.Verb();
    if (verb == L"ALL" && line.Size() == 1)
        return Named{true, {}};
    if ((verb == L"W" || verb == L"C") && line.Size() == 3)
        return InWindow(line, verb == L"C", candidates, message);
    if (verb == L"H" && line.Size() >= 2)
        return ByHandles(line, candidates, message);
    message = L"*Invalid selection*\nExpects ALL, W x1,y1 x2,y2, C x1,y1 x2,y2, H handle ... or "
              L"an empty line to end.";
    return std::nullopt;
}

std::size_t Picked::Add(const Named& named) {
    if (named.every) {
        std::size_t again = total_;
        picked_.assign(picked_.size(), true);
        total_ = picked_.size();
        return again;
    }
    std::size_t again = 0;
    for (std::size_t i : named.positions) {
        if (picked_[i]) {
            ++again;
        } else {
            picked_[i] = true;
            ++total_;
        }
    }
    return again;
}

EntityNames Picked::Names(const Candidates& candidates) const {
    EntityNames names;
    names.reserve(total_);
    bool every = total_ == picked_.size();
    for (std::size_t i = 0; i < picked_.size(); ++i)
        if (every || picked_[i])
            names.push_back(candidates[i].name);
    return names;
}

std::int64_t SelectionSets::Add(EntityNames names) {
    std::int64_t id = next_++;
    sets_[id] = std::move(names);
    return id;
}

const EntityNames* SelectionSets::Find(std::int64_t id) const {
    auto found = sets_.find(id);
    return found == sets_.end() ? nullptr : &found->second;
}

bool SelectionSets::Free(std::int64_t id) {
    return sets_.erase(id) > 0;
}

SelectionSets& Selections() {
    static SelectionSets sets;
    return sets;
}

namespace {
SelectionListener& Listener() {
    static SelectionListener listener;
    return listener;
}
} // namespace

void SetSelectionListener(SelectionListener listener) {
    Listener() = std::move(listener);
}

void TellSelection(const std::vector<std::int64_t>& names) {
    if (Listener())
        Listener()(names);
}

} // namespace ed
