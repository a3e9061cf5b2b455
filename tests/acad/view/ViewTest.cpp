// The drawing view on small drawings written here: pixels probed where an arc's middle, a
// nested and turned block's line, a bulged polyline and a text's box must show, in the colours
// the entity, its layer or its block give; hidden layers, invisible entities and types the view
// cannot draw leave nothing and break nothing; picking finds what lies under the cursor.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "dbmain.h"

#include "tests/acad/TestSupport.h"
#include "view/DrawingScene.h"
#include "view/EntityShapes.h"
#include "view/ViewRenderer.h"

namespace {

using view::Point2;

// A drawing of the oldest form (no handles): layers, blocks and entities as group code and
// value pairs.
std::string Pairs(std::initializer_list<const char*> pairs) {
    std::string out;
    for (const char* p : pairs)
        out += std::string(p) + "\n";
    return out;
}

std::string Drawing(const std::string& layers, const std::string& blocks,
                    const std::string& entities) {
    return Pairs({"0",     "SECTION", "2",  "TABLES", "0",     "TABLE",     "2",
                  "LAYER", "70",      "4",  "0",      "LAYER", "2",         "0",
                  "70",    "0",       "62", "7",      "6",     "CONTINUOUS"}) +
           layers + Pairs({"0", "ENDTAB", "0", "ENDSEC", "0", "SECTION", "2", "BLOCKS"}) + blocks +
           Pairs({"0", "ENDSEC", "0", "SECTION", "2", "ENTITIES"}) + entities +
           Pairs({"0", "ENDSEC", "0", "EOF"});
}

class Picture {
public:
    Picture(const std::string& dxf, const std::string& name) {
        std::string path = kestrel::test::scratchDir("view_" + name) + "/drawing.dxf";
        kestrel::test::writeFile(path, dxf);
        loaded_ = database_.readDxfFile(kestrel::test::wide(path).c_str()) == Acad::eOk;
        scene_.Build();
        viewport_.Resize(400, 300);
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 400, 300);
    }
    ~Picture() { cairo_surface_destroy(surface_); }

    void Render(const view::Box& looking, std::unordered_set<std::uint32_t> lit = {}) {
        viewport_.ZoomExtents(looking);
        count_ = view::RenderScene(surface_, scene_, viewport_, lit);
        cairo_surface_write_to_png(surface_, (shotsDir() + "/" + name() + ".png").c_str());
    }
    // Whether a pixel within `radius` of the world point has the colour.
    bool Shows(Point2 world, std::uint32_t rgb, int radius = 1) const {
        Point2 at = viewport_.ToScreen(world);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (Pixel(int(at.x) + dx, int(at.y) + dy) == rgb)
                    return true;
        return false;
    }
    // How many pixels of the picture have the colour.
    int Count(std::uint32_t rgb) const {
        int n = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                n += Pixel(x, y) == rgb;
        return n;
    }

    bool loaded_ = false;
    AcDbDatabase database_{false, true};
    view::DrawingScene scene_{database_};
    view::Viewport viewport_;
    view::RenderCount count_;

private:
    std::uint32_t Pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= 400 || y >= 300)
            return 0xFFFFFFFFu;
        cairo_surface_flush(surface_);
        auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                     y * cairo_image_surface_get_stride(surface_));
        return row[x] & 0xFFFFFF;
    }
    static std::string shotsDir() {
        std::string dir = std::string(KESTREL_BINARY_DIR) + "/shots/view";
        std::system(("mkdir -p " + dir).c_str());
        return dir;
    }
    static std::string name() {
        return ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }
    cairo_surface_t* surface_;
};

constexpr std::uint32_t kRed = 0xFF0000, kYellow = 0xFFFF00, kGreen = 0x00FF00, kCyan = 0x00FFFF,
                        kBlue = 0x0000FF, kMagenta = 0xFF00FF, kWhite = 0xFFFFFF;

view::Box Around(double minX, double minY, double maxX, double maxY) {
    return view::Box{minX, minY, maxX, maxY};
}

// An arc, a bulged polyline and a text, each in its own colour.
std::string Primitives() {
    return Drawing("", "",
                   Pairs({"0", "ARC", "8", "0", "62", "1", "10", "0", "20", "0", "40", "10", "50",
                          "0", "51", "90",
                          // A half circle bulging below the chord from (20,0) to (30,0).
                          "0", "LWPOLYLINE", "8", "0", "62", "5", "90", "2", "70", "0", "10", "20",
                          "20", "0", "42", "1", "10", "30", "20", "0", "0", "TEXT", "8", "0", "62",
                          "2", "10", "0", "20", "-20", "40", "5", "1", "HELLO"}));
}

TEST(DrawingView, ArcsBulgesAndTextsShowWhereTheyLieInTheirColours) {
    Picture picture(Primitives(), "primitives");
    ASSERT_TRUE(picture.loaded_);
    picture.Render(Around(-5, -25, 35, 12));
    double half = 10 / std::sqrt(2.0);
    EXPECT_TRUE(picture.Shows({half, half}, kRed)) << "the arc's middle";
    EXPECT_FALSE(picture.Shows({-half, -half}, kRed, 3)) << "the arc runs counter-clockwise only";
    EXPECT_TRUE(picture.Shows({25, -5}, kBlue)) << "the bulge's lowest point";
    EXPECT_FALSE(picture.Shows({25, 5}, kBlue, 3)) << "a positive bulge turns left";
    // "HELLO" 5 units high starts at (0,-20): its box holds yellow, the space above does not.
    int inside = 0;
    for (double x = 0.5; x < 15; x += 0.5)
        for (double y = -19.5; y < -15.5; y += 0.5)
            inside += picture.Shows({x, y}, kYellow, 0);
    EXPECT_GT(inside, 10);
    EXPECT_FALSE(picture.Shows({5, -10}, kYellow, 4));
}

// INNER: a line by block; OUTER: INNER turned and scaled, by block; model space: OUTER turned
// a quarter, green, and an anonymous block of a circle in the layer's colour.
std::string Nested() {
    return Drawing(
        Pairs({"0", "LAYER", "2", "FURNITURE", "70", "0", "62", "6", "6", "CONTINUOUS"}),
        Pairs({"0",  "BLOCK",  "8",  "0",      "2",  "INNER", "70", "0",      "10", "0",
               "20", "0",      "0",  "LINE",   "8",  "0",     "62", "0",      "10", "0",
               "20", "0",      "11", "1",      "21", "0",     "0",  "ENDBLK", "8",  "0",
               "0",  "BLOCK",  "8",  "0",      "2",  "OUTER", "70", "0",      "10", "0",
               "20", "0",      "0",  "INSERT", "8",  "0",     "62", "0",      "2",  "INNER",
               "10", "2",      "20", "0",      "41", "2",     "42", "2",      "50", "90",
               "0",  "ENDBLK", "8",  "0",      "0",  "BLOCK", "8",  "0",      "2",  "*U1",
               "70", "1",      "10", "0",      "20", "0",     "0",  "CIRCLE", "8",  "0",
               "10", "0",      "20", "0",      "40", "1",     "0",  "ENDBLK", "8",  "0"}),
        Pairs({"0",  "INSERT",    "8",  "0",   "62", "3",  "2",  "OUTER",
               "10", "10",        "20", "10",  "50", "90", "0",  "INSERT",
               "8",  "FURNITURE", "2",  "*U1", "10", "20", "20", "10"}));
}

TEST(DrawingView, NestedTurnedAndAnonymousBlocksShowThroughEveryTransform) {
    Picture picture(Nested(), "nested");
    ASSERT_TRUE(picture.loaded_);
    picture.Render(Around(5, 5, 25, 15));
    // INNER's line from (0,0) to (1,0) doubles and turns into OUTER at (2,0): (2,0)-(2,2);
    // OUTER turned a quarter at (10,10) puts it at (10,12)-(8,12).
    EXPECT_TRUE(picture.Shows({9, 12}, kGreen)) << "the nested line in the outer colour";
    EXPECT_FALSE(picture.Shows({12, 11}, kGreen, 3)) << "where it would lie unturned";
    // The anonymous block's circle on layer 0 takes the reference's layer colour.
    EXPECT_TRUE(picture.Shows({21, 10}, kMagenta));
    EXPECT_TRUE(picture.Shows({20, 11}, kMagenta));
    EXPECT_EQ(picture.count_.culled, 0u);
}

TEST(DrawingView, HiddenLayersInvisibleEntitiesAndUnknownTypesLeaveNothing) {
    std::string dxf = Drawing(
        Pairs({"0", "LAYER", "2", "FROZEN", "70", "1", "62", "4",  "6", "CONTINUOUS",
               "0", "LAYER", "2", "OFF",    "70", "0", "62", "-4", "6", "CONTINUOUS"}),
        "",
        Pairs({"0",  "LINE", "8",  "FROZEN", "10", "0",       "20", "0", "11", "10", "21", "0",
               "0",  "LINE", "8",  "OFF",    "10", "0",       "20", "1", "11", "10", "21", "1",
               "0",  "LINE", "8",  "0",      "62", "4",       "60", "1", "10", "0",  "20", "2",
               "11", "10",   "21", "2",      "0",  "WIPEOUT", "8",  "0", "10", "0",  "20", "0",
               "0",  "LINE", "8",  "0",      "10", "0",       "20", "3", "11", "10", "21", "3"}));
    Picture picture(dxf, "hidden");
    ASSERT_TRUE(picture.loaded_);
    picture.Render(Around(0, 0, 10, 3));
    EXPECT_EQ(picture.Count(kCyan), 0);
    EXPECT_TRUE(picture.Shows({5, 3}, kWhite)) << "the visible line after them";
    EXPECT_EQ(picture.scene_.Items().size(), 1u);
}

TEST(DrawingView, SelectedEntitiesAreDrawnDashedAndFarOnesAreCulled) {
    Picture picture(Nested(), "selected");
    ASSERT_TRUE(picture.loaded_);
    const view::SceneItem* outer = picture.scene_.Hit({9, 12}, 0.1);
    ASSERT_NE(outer, nullptr);
    picture.Render(Around(5, 5, 15, 15), {outer->slot});
    // The line from (8,12) to (10,12), drawn with gaps.
    int lit = 0, gaps = 0;
    for (double x = 8.1; x <= 9.9; x += 0.02)
        (picture.Shows({x, 12}, kGreen, 0) ? lit : gaps)++;
    EXPECT_GT(lit, 20);
    EXPECT_GT(gaps, 20) << "a selected line has gaps";
    EXPECT_EQ(picture.count_.culled, 1u) << "the anonymous block lies outside";
}

TEST(DrawingView, PickingFindsTheEntityUnderTheCursorWithinItsTolerance) {
    Picture picture(Primitives(), "picking");
    ASSERT_TRUE(picture.loaded_);
    const auto& items = picture.scene_.Items();
    ASSERT_EQ(items.size(), 3u);
    double half = 10 / std::sqrt(2.0);
    EXPECT_EQ(picture.scene_.Hit({half + 0.05, half}, 0.1), &items[0]);
    EXPECT_EQ(picture.scene_.Hit({25, -4.95}, 0.1), &items[1]);
    EXPECT_EQ(picture.scene_.Hit({2, -18}, 0.1), &items[2]) << "inside the text's box";
    EXPECT_EQ(picture.scene_.Hit({0, 0}, 0.1), nullptr) << "the arc's centre is empty";
    EXPECT_EQ(picture.scene_.Hit({half + 0.5, half}, 0.1), nullptr);
}

TEST(DrawingView, TextFormattingCodesAreDroppedAndSpecialCharactersShown) {
    EXPECT_EQ(view::PlainMText(L"{\\fArial|b1;Desk}\\PLine\\~two \\S1^2; \\\\ \\H2.5x;end"),
              L"Desk\nLine two 1/2 \\ end");
    EXPECT_EQ(view::PlainText(L"90%%d %%p0.5 %%c20 100%%%"), L"90\u00B0 \u00B10.5 \u230020 100%");
}

TEST(DrawingView, PaletteGivesTheClassicColoursOnTheDarkBackground) {
    EXPECT_EQ(view::PaletteColour(1), kRed);
    EXPECT_EQ(view::PaletteColour(7), kWhite);
    EXPECT_EQ(view::PaletteColour(10), kRed);
    EXPECT_EQ(view::PaletteColour(11), 0xFF8080u) << "odd indices are the paler shade";
    EXPECT_EQ(view::PaletteColour(250), 0x333333u);
    EXPECT_EQ(view::PaletteColour(255), kWhite);
    EXPECT_EQ(view::PaletteColour(0), kWhite) << "out of range draws visibly";
}

} // namespace
