// SHOT with no dialog open saves the main window, in a headless run too: the drawing before
// the report, the rubber band of the table's scale while the cursor moves, and the table in
// the view once it is inserted.
#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "KestrelRun.h"

namespace {

struct Picture {
    explicit Picture(const std::string& png)
        : surface(cairo_image_surface_create_from_png(png.c_str())) {}
    ~Picture() { cairo_surface_destroy(surface); }
    bool Loaded() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
    int Width() const { return cairo_image_surface_get_width(surface); }
    std::uint32_t At(int x, int y) const {
        auto* row = reinterpret_cast<const std::uint32_t*>(
            cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface));
        return row[x] & 0xFFFFFF;
    }
    cairo_surface_t* surface;
};

// Pixels of the view (the top 800 rows) lit in `b` and dark in `a`.
long LitOnlyIn(const Picture& a, const Picture& b) {
    long count = 0;
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < a.Width(); ++x)
            count += a.At(x, y) == 0 && b.At(x, y) != 0;
    return count;
}

} // namespace

TEST(ViewShot, TheMainWindowShowsTheRubberBandAndThenTheInsertedTable) {
    std::string dir = ScratchDir("view-shot");
    std::filesystem::copy_file(kBinaryDir + "/bin/kestrel.arx", dir + "/kestrel.arx");
    std::filesystem::copy_file(kSourceDir + "/examples/office.prc", dir + "/office.prc");
    KestrelResult run =
        RunKestrel(WithLines({kOfficePlan, "--module", dir + "/kestrel.arx", "--shots", dir},
                             {"SHOT before", "ZRBOMC", "office.prc", "ALL", "", "CLICK \"&Insert\"",
                              "0,-0.5", "MOVE 6,-3", "SHOT band", "PICK 6,-3", "SHOT after"}),
                   "", 20, dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Picture before(dir + "/before.png"), band(dir + "/band.png"), after(dir + "/after.png");
    ASSERT_TRUE(before.Loaded() && band.Loaded() && after.Loaded());
    EXPECT_EQ(before.Width(), 1280);
    // The band's rectangle inverts the black under the plan; the table's lines replace it.
    EXPECT_GT(LitOnlyIn(before, band), 200);
    EXPECT_GT(LitOnlyIn(before, after), 200);
    EXPECT_EQ(LitOnlyIn(after, before), 0) << "nothing of the plan went away";
}
