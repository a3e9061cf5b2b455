#pragma once
// What the drawing view shows of a database: model space's entities as shapes in world
// coordinates, each block reference as its block's shapes (made once per block, nested blocks
// and constant attributes included) under the reference's transform, with its attributes.
// Entities on frozen or switched-off layers and invisible entities are left out; types the view
// cannot draw are skipped. Build() reads the database again after it changed.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "dbmain.h"

#include "view/ViewShapes.h"

namespace kestrel::acad {
class DbStore;
}

namespace view {

struct SceneItem {
    std::uint32_t slot = 0;           // the entity's record; its entity name is slot + 1
    Box extents;                      // world
    const ShapeList* block = nullptr; // a reference's block, in block coordinates
    Affine transform;                 // block to world
    int colour = 7;                   // what the block's by-block shapes take
    ShapeList own;                    // the entity's shapes, or a reference's attributes (world)
};

class DrawingScene {
public:
    explicit DrawingScene(AcDbDatabase& database) : database_(database) {}
    void Build();

    const std::vector<SceneItem>& Items() const { return items_; }
    const Box& Extents() const { return extents_; }
    // The item nearest to `at` within `tolerance` (world units), by its drawn lines, or the
    // innermost text or fill that holds it; nothing when none is that close.
    const SceneItem* Hit(Point2 at, double tolerance) const;

private:
    struct Layer {
        int colour = 7;
        bool hidden = false;
        bool zero = false; // layer "0": block entities on it take the reference's layer
    };
    void ReadLayers(kestrel::acad::DbStore& store);
    const Layer& LayerOf(const std::string& rawName) const;
    // The colour an entity is drawn in: its own, or its layer's; by-block stays by-block.
    int ColourOf(int own, const Layer& layer, bool inBlock) const;
    const ShapeList& BlockShapes(kestrel::acad::DbStore& store, std::uint32_t block, int depth);
    // Adds an entity's shapes to `out`; a reference also gets its block (into `item`, or
    // merged into `out` when it is inside a block).
    void AddEntity(kestrel::acad::DbStore& store, std::uint32_t slot, bool inBlock, int depth,
                   ShapeList& out, SceneItem* item);

    AcDbDatabase& database_;
    std::unordered_map<std::string, Layer> layers_; // by case-folded name
    Layer defaultLayer_;
    std::unordered_map<std::uint32_t, std::unique_ptr<ShapeList>> blocks_;
    std::vector<SceneItem> items_;
    Box extents_;
};

} // namespace view
