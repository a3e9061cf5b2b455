#pragma once
// What the editor needs of the drawing being edited: the entities a selection can take, header
// variables, the INSERT command's work, saving and the check for objects left open. The
// program that opens the drawing provides it; tests provide their own.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "HugePages.h"
#include "ed/ScriptLine.h"

namespace ed {

struct Extents2d {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// An entity a selection may take. Selection sets hold entity names, which every entity has,
// unlike handles (R12 drawings may have none).
struct SelectableEntity {
    std::int64_t name = 0;    // what acedSSName hands out; never 0
    std::uint64_t handle = 0; // 0 for an entity without one
    const char* type = "";    // DXF entity type: "INSERT", "LINE", ... (lives as the drawing)
};

// A drawing offers its entities by the million: their list takes its memory in large pages.
using EntityList = kestrel::acad::BigVector<SelectableEntity>;

struct AttributeDefinition {
    std::wstring tag, prompt, defaultValue;
    bool constant = false; // constant attributes are not asked for and get no ATTRIB
};

struct InsertRequest {
    std::wstring blockName;
    Point3 position;
    double scaleX = 1, scaleY = 1, rotationDegrees = 0;
    std::vector<std::wstring> attributeValues; // one per non-constant definition, in order
};

class DrawingLink {
public:
    virtual ~DrawingLink() = default;
    // Model-space entities on layers that are not frozen, in the order the drawing holds them.
    virtual EntityList SelectableEntities() = 0;
    // Their extents, in the same order; none for an entity without a size (it is selected by
    // ALL or H only). Asked for only when a window or crossing selects.
    virtual std::vector<std::optional<Extents2d>> ExtentsOf(const EntityList& entities) = 0;
    // An integer header variable ("$ATTREQ") when the drawing keeps it.
    virtual std::optional<int> IntVariable(const std::wstring& name) = 0;
    // Stores it where the drawing keeps it; false when the drawing does not keep it.
    virtual bool SetIntVariable(const std::wstring& name, int value) = 0;
    // The drawing's file path (DWGNAME is its file name).
    virtual std::wstring FilePath() = 0;
    // The attribute definitions of a block, in order; nothing when there is no such block.
    virtual std::optional<std::vector<AttributeDefinition>>
    BlockAttributes(const std::wstring& blockName) = 0;
    // Appends a block reference to model space; false with `error` set on failure.
    virtual bool Insert(const InsertRequest& request, std::wstring& error) = 0;
    // Saves the drawing atomically (keeping NAME.bak); false with `error` set on failure.
    virtual bool Save(const std::wstring& path, std::wstring& error) = 0;
    // Objects still open, described for a message; empty when every open was closed.
    virtual std::vector<std::wstring> OpenObjects() = 0;
};

// The drawing the editor works on (null before one is opened). Not owned.
DrawingLink* Drawing();
void SetDrawing(DrawingLink* drawing);

} // namespace ed
