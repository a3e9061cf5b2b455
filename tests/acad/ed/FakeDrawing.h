#pragma once
// A drawing for editor tests: a list of entities, header variables and the references the
// INSERT command placed.

#include <map>

#include "ed/DrawingLink.h"

class FakeDrawing : public ed::DrawingLink {
public:
    std::vector<ed::SelectableEntity> entities;
    std::map<std::int64_t, ed::Extents2d> extents; // by entity name
    int extentsAsked = 0;
    std::map<std::wstring, int> header;
    std::map<std::wstring, std::vector<ed::AttributeDefinition>> blocks;
    std::vector<ed::InsertRequest> inserted;
    std::vector<std::wstring> openObjects;
    std::wstring path = L"/plans/office.dxf";
    std::vector<std::wstring> saves;

    ed::EntityList SelectableEntities() override { return {entities.begin(), entities.end()}; }
    std::vector<std::optional<ed::Extents2d>> ExtentsOf(const ed::EntityList& of) override {
        ++extentsAsked;
        std::vector<std::optional<ed::Extents2d>> boxes;
        for (const auto& entity : of) {
            auto found = extents.find(entity.name);
            boxes.push_back(found == extents.end() ? std::nullopt : std::optional(found->second));
        }
        return boxes;
    }
    std::optional<int> IntVariable(const std::wstring& name) override {
        auto found = header.find(name);
        return found == header.end() ? std::nullopt : std::optional<int>(found->second);
    }
    bool SetIntVariable(const std::wstring& name, int value) override {
        auto found = header.find(name);
        if (found == header.end())
            return false;
        found->second = value;
        return true;
    }
    std::wstring FilePath() override { return path; }
    std::optional<std::vector<ed::AttributeDefinition>>
    BlockAttributes(const std::wstring& name) override {
        auto found = blocks.find(name);
        return found == blocks.end() ? std::nullopt : std::optional(found->second);
    }
    bool Insert(const ed::InsertRequest& request, std::wstring&) override {
        inserted.push_back(request);
        return true;
    }
    bool Save(const std::wstring& target, std::wstring&) override {
        saves.push_back(target);
        return true;
    }
    std::vector<std::wstring> OpenObjects() override { return openObjects; }
};
