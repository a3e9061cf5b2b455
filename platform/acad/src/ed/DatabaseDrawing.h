#pragma once
// The editor's view of a drawing database: selection candidates, header variables, INSERT,
// saving and the objects still open.

#include "dbmain.h"

#include "ed/DrawingLink.h"

namespace ed {

class DatabaseDrawing : public DrawingLink {
public:
    explicit DatabaseDrawing(AcDbDatabase& database) : database_(database) {}

    EntityList SelectableEntities() override;
    std::vector<std::optional<Extents2d>> ExtentsOf(const EntityList& entities) override;
    std::optional<int> IntVariable(const std::wstring& name) override;
    bool SetIntVariable(const std::wstring& name, int value) override;
    std::wstring FilePath() override;
    std::optional<std::vector<AttributeDefinition>>
    BlockAttributes(const std::wstring& blockName) override;
    bool Insert(const InsertRequest& request, std::wstring& error) override;
    bool Save(const std::wstring& path, std::wstring& error) override;
    std::vector<std::wstring> OpenObjects() override;

private:
    AcDbDatabase& database_;
};

} // namespace ed
