#include "ed/SelectionSets.h"

#include <algorithm>
#include <cwctype>

#include "AsciiCase.h"

namespace ed {

namespace {

std::wstring Upper(std::wstring text) {
    for (auto& c : text)
        c = crt::ToUpperAZ(c);
    return text;
}

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

} // namespace

bool EntityFilter::Add(int groupCode, const std::wstring& value) {
    if (groupCode != 0)
        return false;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = value.find(L',', start);
        std::wstring type = Upper(value.substr(start, comma - start));
        if (!type.empty())
            types_.push_back(type);
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    return true;
}

bool EntityFilter::Keeps(const SelectableEntity& entity) const {
    return types_.empty() ||
           std::find(types_.begin(), types_.end(), Upper(entity.type)) != types_.end();
}

std::optional<std::vector<std::uint64_t>> EntitiesNamedBy(const ScriptLine& line,
                                                          const std::vector<SelectableEntity>& all,
                                                          std::wstring& message) {
    std::wstring verb = line.Verb();
    std::vector<std::uint64_t> found;
    if (verb == L"ALL" && line.Size() == 1) {
        for (const auto& entity : all)
            found.push_back(entity.handle);
        return found;
    }
    if ((verb == L"W" || verb == L"C") && line.Size() == 3) {
        auto a = ParsePoint(line[1].text), b = ParsePoint(line[2].text);
        if (!a || !b) {
            message = L"Two corners x,y are needed.";
            return std::nullopt;
        }
        Extents2d box{std::min(a->x, b->x), std::min(a->y, b->y), std::max(a->x, b->x),
                      std::max(a->y, b->y)};
        for (const auto& entity : all)
            if (entity.extents &&
                (verb == L"W" ? Inside(*entity.extents, box) : Touches(*entity.extents, box)))
                found.push_back(entity.handle);
        return found;
    }
    if (verb == L"H" && line.Size() >= 2) {
        for (std::size_t i = 1; i < line.Size(); ++i) {
            auto handle = ParseHandle(line[i].text);
            if (!handle) {
                message = L"\"" + line[i].text + L"\" is not a handle.";
                return std::nullopt;
            }
            auto entity = std::find_if(all.begin(), all.end(),
                                       [&](const auto& e) { return e.handle == *handle; });
            if (entity != all.end())
                found.push_back(*handle);
        }
        return found;
    }
    message = L"*Invalid selection*\nExpects ALL, W x1,y1 x2,y2, C x1,y1 x2,y2, H handle ... or "
              L"an empty line to end.";
    return std::nullopt;
}

std::int64_t SelectionSets::Add(std::vector<std::uint64_t> handles) {
    std::int64_t id = next_++;
    sets_[id] = std::move(handles);
    return id;
}

const std::vector<std::uint64_t>* SelectionSets::Find(std::int64_t id) const {
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

} // namespace ed
