#include "view/DrawingScene.h"

#include <cmath>
#include <numbers>

#include "DbStore.h"
#include "view/EntityShapes.h"

namespace view {

namespace {

using kestrel::acad::DbStore;

constexpr int kDeepestNesting = 16; // a block that holds itself ends here

double SegmentDistance(Point2 p, Point2 a, Point2 b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// How far `p` is from the shape's lines; 0 inside a text's box or a fill.
double ShapeDistance(const Shape& shape, Point2 p) {
    const auto& pts = shape.points;
    if (pts.empty())
        return INFINITY;
    if (shape.kind == Shape::Kind::Text) {
        double cs = std::cos(shape.radians), sn = std::sin(shape.radians);
        double lx = (p.x - pts[0].x) * cs + (p.y - pts[0].y) * sn;
        double ly = -(p.x - pts[0].x) * sn + (p.y - pts[0].y) * cs;
        return lx >= 0 && lx <= TextWidth(shape) && ly >= 0 && ly <= shape.height ? 0 : INFINITY;
    }
    if (shape.kind == Shape::Kind::Fill) {
        Box box;
        for (Point2 q : pts)
            box.Add(q);
        if (box.Contains(p))
            return 0;
    }
    double best = std::hypot(p.x - pts[0].x, p.y - pts[0].y);
    for (std::size_t i = 1; i < pts.size(); ++i)
        best = std::min(best, SegmentDistance(p, pts[i - 1], pts[i]));
    if (shape.closed && pts.size() > 2)
        best = std::min(best, SegmentDistance(p, pts.back(), pts.front()));
    return best;
}

double ListDistance(const ShapeList& list, Point2 p) {
    double best = INFINITY;
    for (const Shape& shape : list.Shapes())
        best = std::min(best, ShapeDistance(shape, p));
    return best;
}

} // namespace

void DrawingScene::ReadLayers(DbStore& store) {
    layers_.clear();
    if (store.layerTable() < 0)
        return;
    for (std::uint32_t s : store.table(store.layerTable()).entries) {
        if (store.dead(s))
            continue;
        EntityTags tags(store.currentTags(s));
        Layer layer;
        int colour = static_cast<int>(tags.Number(62, 7));
        layer.colour = std::abs(colour);
        if (layer.colour < 1 || layer.colour > 255)
            layer.colour = 7;
        layer.hidden = colour < 0 || (static_cast<int>(tags.Number(70)) & 1);
        layer.zero = tags.Text(2) == "0";
        layers_[store.codec().keyOfRaw(tags.Text(2))] = layer;
    }
}

const DrawingScene::Layer& DrawingScene::LayerOf(const std::string& rawName) const {
    if (layers_.empty())
        return defaultLayer_;
    DbStore* store = kestrel::acad::storeOf(database_.modelSpaceId());
    auto it = layers_.find(store->codec().keyOfRaw(rawName.empty() ? "0" : rawName));
    return it == layers_.end() ? defaultLayer_ : it->second;
}

int DrawingScene::ColourOf(int own, const Layer& layer, bool inBlock) const {
    if (own == kByLayer)
        return inBlock && layer.zero ? kByBlock : layer.colour;
    if (own == kByBlock)
        return inBlock ? kByBlock : 7;
    return own >= 1 && own <= 255 ? own : 7;
}

void DrawingScene::Build() {
    items_.clear();
    blocks_.clear();
    extents_ = Box{};
    DbStore* store = kestrel::acad::storeOf(database_.modelSpaceId());
    if (!store)
        return;
    ReadLayers(*store);
    for (std::uint32_t s : store->block(store->modelSpace()).entities) {
        if (store->dead(s))
            continue;
        SceneItem item;
        item.slot = s;
        AddEntity(*store, s, false, 0, item.own, &item);
        if (item.block)
            item.extents = item.transform.Apply(item.block->Extents());
        item.extents.Add(item.own.Extents());
        if (item.extents.Empty())
            continue;
        extents_.Add(item.extents);
        items_.push_back(std::move(item));
    }
}

const ShapeList& DrawingScene::BlockShapes(DbStore& store, std::uint32_t block, int depth) {
    auto cached = blocks_.find(block);
    if (cached != blocks_.end())
        return *cached->second;
    auto shapes = std::make_unique<ShapeList>();
    if (depth < kDeepestNesting) {
        for (std::uint32_t s : store.block(block).entities)
            if (!store.dead(s))
                AddEntity(store, s, true, depth + 1, *shapes, nullptr);
    }
    return *(blocks_[block] = std::move(shapes));
}

void DrawingScene::AddEntity(DbStore& store, std::uint32_t s, bool inBlock, int depth,
                             ShapeList& out, SceneItem* item) {
    EntityTags tags(store.currentTags(s));
    const Layer& layer = LayerOf(tags.Text(8));
    if (layer.hidden || static_cast<int>(tags.Number(60)) == 1)
        return;
    int colour = ColourOf(static_cast<int>(tags.Number(62, kByLayer)), layer, inBlock);
    std::string_view type = store.typeName(s);
    if (type != "INSERT") {
        AddEntityShapes(type, tags, store.codec(), colour, inBlock, out);
        return;
    }
    std::uint32_t block = store.slot(s).link;
    if (block == kestrel::acad::kNone)
        return;
    AcGePoint3d base = store.blockOrigin(block);
    Affine transform = Affine::Insert({base.x, base.y}, tags.PointAt(10), tags.Number(41, 1),
                                      tags.Number(42, 1), tags.Number(50) * std::numbers::pi / 180);
    if (tags.Mirrored())
        transform = transform.Then(Affine{-1, 0, 0, 1, 0, 0});
    const ShapeList& shapes = BlockShapes(store, block, depth);
    if (item) {
        item->block = &shapes;
        item->transform = transform;
        item->colour = colour;
    } else {
        out.AddTransformed(shapes, transform, colour);
    }
    for (std::uint32_t a : store.attributesOf(s)) {
        if (store.dead(a))
            continue;
        EntityTags attribute(store.currentTags(a));
        const Layer& attributeLayer = LayerOf(attribute.Text(8));
        if (attributeLayer.hidden)
            continue;
        int attributeColour =
            ColourOf(static_cast<int>(attribute.Number(62, kByLayer)), attributeLayer, inBlock);
        AddEntityShapes("ATTRIB", attribute, store.codec(), attributeColour, inBlock, out);
    }
}

const SceneItem* DrawingScene::Hit(Point2 at, double tolerance) const {
    const SceneItem* best = nullptr;
    double bestDistance = tolerance;
    for (const SceneItem& item : items_) {
        if (!item.extents.Grown(tolerance).Contains(at))
            continue;
        double distance = ListDistance(item.own, at);
        if (item.block && distance > 0) {
            // The block's shapes are measured where the reference puts them.
            ShapeList placed;
            placed.AddTransformed(*item.block, item.transform, item.colour);
            distance = std::min(distance, ListDistance(placed, at));
        }
        if (distance <= bestDistance) {
            best = &item;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace view
