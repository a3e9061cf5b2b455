// The guide's pictures are what scripts/make-guide-pictures.sh makes from the program as it is
// now. Pixels are compared, not files: another PNG encoder may pack the same picture otherwise.
#include <gtest/gtest.h>

#include <cairo.h>
#include <filesystem>
#include <memory>
#include <regex>
#include <set>

#include "KestrelRun.h"

namespace fs = std::filesystem;

namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface LoadPng(const std::string& path) {
    return Surface(cairo_image_surface_create_from_png(path.c_str()), &cairo_surface_destroy);
}

// How many pixels differ ("" when none do), or why the two cannot be compared.
std::string PixelDifference(const std::string& expected, const std::string& actual) {
    Surface a = LoadPng(expected), b = LoadPng(actual);
    if (cairo_surface_status(a.get()) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_status(b.get()) != CAIRO_STATUS_SUCCESS)
        return "a picture does not read as PNG";
    const int width = cairo_image_surface_get_width(a.get());
    const int height = cairo_image_surface_get_height(a.get());
    if (width != cairo_image_surface_get_width(b.get()) ||
        height != cairo_image_surface_get_height(b.get()))
        return "the sizes differ";
    // A picture stored without an alpha channel is opaque everywhere.
    auto opaque = [](cairo_surface_t* s) {
        return cairo_image_surface_get_format(s) == CAIRO_FORMAT_RGB24 ? 0xFF000000u : 0u;
    };
    const std::uint32_t fillA = opaque(a.get()), fillB = opaque(b.get());
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        auto row = [y](cairo_surface_t* s) {
            return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(s) +
                                                          y * cairo_image_surface_get_stride(s));
        };
        const std::uint32_t *ra = row(a.get()), *rb = row(b.get());
        for (int x = 0; x < width; ++x)
            differing += ((ra[x] | fillA) != (rb[x] | fillB));
    }
    return differing ? std::to_string(differing) + " pixels differ" : "";
}

std::set<std::string> Pngs(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".png")
            names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(GuidePictures, AreWhatTheScriptMakesNow) {
    const std::string made = ScratchDir("guide-pictures");
    const std::string log = RunShell(kSourceDir + "/scripts/make-guide-pictures.sh " + kKestrel +
                                     " " + made + " 2>&1 && echo made");
    ASSERT_TRUE(Has(log, "made\n")) << log;
    const std::string kept = kSourceDir + "/docs/pictures";
    ASSERT_EQ(Pngs(made), Pngs(kept)) << "docs/pictures holds other pictures than the script makes";
    for (const std::string& name : Pngs(made)) {
        const std::string difference = PixelDifference(kept + "/" + name, made + "/" + name);
        EXPECT_EQ(difference, "") << "docs/pictures/" << name
                                  << " is not what the program draws now; "
                                     "scripts/make-guide-pictures.sh makes it again";
    }
    fs::remove_all(made);
}

TEST(GuidePictures, TheGuideShowsEveryPictureAndNoOther) {
    const std::string guide = ReadFile(kSourceDir + "/docs/guide.md");
    static const std::regex picture(R"(\]\(pictures/([^)]+\.png)\))");
    std::set<std::string> shown;
    for (auto it = std::sregex_iterator(guide.begin(), guide.end(), picture);
         it != std::sregex_iterator(); ++it)
        shown.insert((*it)[1]);
    EXPECT_EQ(shown, Pngs(kSourceDir + "/docs/pictures"));
}
