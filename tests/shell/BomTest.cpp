// `kestrel bom` end to end: the report bytes in every order, the table block read back by
// ezdxf, the numbering of tables, and the ways a bill of materials is not made.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "KestrelRun.h"

namespace {

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Counted in the test drawing: Plate 3, NUT 9, Bolt 10, Anchor 2, Washer 1, first met in
// that order. The price list has them in another order, in other letter cases, and one
// name that the drawing does not use.
const char kPrices[] = "Bolt|0.25|Zinc bolt M8\r\n"
                       "Nut|0.10|nut M8\r\n"
                       "Washer|1.50|\r\n"
                       "Anchor|12|Anchor bolt for concrete, M10 x 120\r\n"
                       "Plate|100.00|base plate\r\n"
                       "Unused|5|never placed\r\n";

const char kPricedHeading[] =
    "Block name Item Price   Quantity          Description      Total\r\n";
const char kUnpricedHeading[] = "Block name   Quantity          Description\r\n";

// The lines of each record in the three kinds of report.
struct Lines {
    const char* priced;
    const char* hidden;
    const char* unlisted; // counted without a price file
};
const std::map<std::string, Lines> kLines = {
    {"bolt",
     {"      bolt       0.25         10         Zinc bolt M8       2.50\r\n",
      "      bolt         10         Zinc bolt M8\r\n",
      "      bolt       0.00         10                            0.00\r\n"}},
    {"nut",
     {"       nut       0.10          9               nut M8       0.90\r\n",
      "       nut          9               nut M8\r\n",
      "       nut       0.00          9                            0.00\r\n"}},
    {"washer",
     {"    washer       1.50          1                            1.50\r\n",
      "    washer          1                     \r\n",
      "    washer       0.00          1                            0.00\r\n"}},
    // A description longer than its 20 characters pushes the total to the right.
    {"anchor",
     {"    anchor      12.00          2 Anchor bolt for concrete, M10 x 120      24.00\r\n",
      "    anchor          2 Anchor bolt for concrete, M10 x 120\r\n",
      "    anchor       0.00          2                            0.00\r\n"}},
    {"plate",
     {"     plate     100.00          3           base plate     300.00\r\n",
      "     plate          3           base plate\r\n",
      "     plate       0.00          3                            0.00\r\n"}},
};

enum class Kind { Priced, Hidden, Unlisted };

std::string Report(Kind kind, const std::vector<std::string>& order) {
    std::string text = kind == Kind::Hidden ? kUnpricedHeading : kPricedHeading;
    for (const auto& name : order) {
        const Lines& lines = kLines.at(name);
        text += kind == Kind::Priced   ? lines.priced
                : kind == Kind::Hidden ? lines.hidden
                                       : lines.unlisted;
    }
    if (kind == Kind::Priced)
        text += "  Summary:                                                328.90\r\n";
    if (kind == Kind::Unlisted)
        text += "  Summary:                                                  0.00\r\n";
    return text;
}

std::vector<std::string> Reversed(std::vector<std::string> order) {
    return {order.rbegin(), order.rend()};
}

class KestrelBom : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new std::string(ScratchDir("bom"));
        MakeDrawing("plan.dxf");
        Write(*dir + "/prices.prc", kPrices);
    }
    static void TearDownTestSuite() {
        std::filesystem::remove_all(*dir);
        delete dir;
    }
    static void MakeDrawing(const std::string& name, const std::string& extra = "") {
        std::string command = "/usr/bin/python3 " + kSourceDir +
                              "/tests/shell/make_bom_drawing.py '" + *dir + "/" + name + "' " +
                              extra;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static std::string Path(const std::string& name) { return *dir + "/" + name; }

    // `kestrel bom` with a module of its own, so that its settings stay in the test's folder.
    static KestrelResult Bom(std::vector<std::string> args, const std::string& moduleDir = "") {
        std::string module = (moduleDir.empty() ? *dir : moduleDir) + "/kestrel.arx";
        if (!std::filesystem::exists(module))
            std::filesystem::copy_file(kBinaryDir + "/bin/kestrel.arx", module);
        args.insert(args.begin(), "bom");
        args.insert(args.end(), {"--module", module});
        return RunKestrel(args, "", 20);
    }

    static inline std::string* dir = nullptr;
};

// Ascending orders by column, computed by hand from the data; descending is the reverse, except
// that the empty description stays last.
const std::vector<std::string> kByName = {"anchor", "bolt", "nut", "plate", "washer"};
const std::vector<std::string> kByPrice = {"nut", "bolt", "washer", "anchor", "plate"};
const std::vector<std::string> kByQuantity = {"washer", "anchor", "plate", "nut", "bolt"};
const std::vector<std::string> kByDescription = {"anchor", "plate", "nut", "bolt", "washer"};
const std::vector<std::string> kDescriptionDescending = {"bolt", "nut", "plate", "anchor",
                                                         "washer"};
const std::vector<std::string> kByTotal = {"nut", "washer", "bolt", "anchor", "plate"};
const std::vector<std::string> kPriceFileOrder = {"bolt", "nut", "washer", "anchor", "plate"};
const std::vector<std::string> kDrawingOrder = {"plate", "nut", "bolt", "anchor", "washer"};

// Each --sort of a priced list and the order of its lines.
std::vector<std::pair<std::string, std::vector<std::string>>> SortedOrders() {
    return {
        {"name", kByName},
        {"name:desc", Reversed(kByName)},
        {"price", kByPrice},
        {"price:desc", Reversed(kByPrice)},
        {"quantity", kByQuantity},
        {"quantity:desc", Reversed(kByQuantity)},
        {"description", kByDescription},
        {"description:desc", kDescriptionDescending},
        {"total", kByTotal},
        {"total:desc", Reversed(kByTotal)},
    };
}

void ExpectReport(const KestrelResult& run, const std::string& expected, const std::string& how) {
    EXPECT_EQ(run.exitCode, 0) << how << "\n" << run.err;
    EXPECT_EQ(run.out, expected) << how;
    EXPECT_EQ(run.err, "") << how;
}

} // namespace

TEST_F(KestrelBom, PricedReportInEveryOrder) {
    // Quantities and prices compare as numbers (9 before 10), descriptions ignore letter case,
    // empty texts come last, the summary stays last; the name column's first click descends.
    auto cases = SortedOrders();
    cases.insert(cases.begin(), {"", kPriceFileOrder});
    for (const auto& [sort, order] : cases) {
        std::vector<std::string> args = {Path("plan.dxf"), "--prices", Path("prices.prc"),
                                         "--report", "-"};
        if (!sort.empty())
            args.insert(args.end(), {"--sort", sort});
        ExpectReport(Bom(args), Report(Kind::Priced, order), "--sort " + sort);
    }
}

TEST_F(KestrelBom, HiddenPricesReportInEveryOrder) {
    for (const auto& [sort, order] : SortedOrders())
        ExpectReport(Bom({Path("plan.dxf"), "--prices", Path("prices.prc"), "--report", "-",
                          "--hide-prices", "--sort", sort}),
                     Report(Kind::Hidden, order), "--hide-prices --sort " + sort);
}

TEST_F(KestrelBom, ReportWithoutPriceFileInEveryOrder) {
    // Every name at 0.00 in the order the drawing first holds it; equal texts keep that order
    // both ways.
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", kDrawingOrder},
        {"name", kByName},
        {"name:desc", Reversed(kByName)},
        {"price", kDrawingOrder},
        {"price:desc", kDrawingOrder},
        {"quantity", kByQuantity},
        {"quantity:desc", Reversed(kByQuantity)},
        {"description", kDrawingOrder},
        {"description:desc", kDrawingOrder},
        {"total", kDrawingOrder},
        {"total:desc", kDrawingOrder},
    };
    for (const auto& [sort, order] : cases) {
        std::vector<std::string> args = {Path("plan.dxf"), "--report", "-"};
        if (!sort.empty())
            args.insert(args.end(), {"--sort", sort});
        ExpectReport(Bom(args), Report(Kind::Unlisted, order), "--sort " + sort);
    }
}

namespace {

// The grid's texts as the table was built from them: the titles, then the rows in order.
std::string Cells(const std::vector<std::vector<std::string>>& rows) {
    std::string text = "Block name\tItem Price\tQuantity\tDescription\tTotal\n";
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            text += (c ? "\t" : "") + row[c];
        text += "\n";
    }
    return text;
}

std::string TableCheck(const std::string& drawing, const std::string& block,
                       const std::string& cells, bool showPrice, const std::string& corner,
                       const std::string& scale) {
    std::string cellsFile = drawing + ".cells.tsv";
    Write(cellsFile, cells);
    return RunShell("/usr/bin/python3 " + kSourceDir + "/tests/shell/table_check.py '" + drawing +
                    "' " + block + " '" + cellsFile + "' " + (showPrice ? "1" : "0") + " " +
                    corner + " " + scale + " 2>&1");
}

} // namespace

TEST_F(KestrelBom, TheTableBlockHoldsTheGridAsItStoodAndIsPlacedAtTheCornerAndScale) {
    // Sorted by quantity, with a description in the Hebrew code page that stands at the right.
    Write(Path("hebrew.prc"), std::string(kPrices) + "Washer|1.50|\xF9\xEC\xE5\xED\r\n");
    KestrelResult run = Bom({Path("plan.dxf"), "--prices", Path("hebrew.prc"), "--sort", "quantity",
                             "--table", "5,-2.5", "--scale", "0.15", "-o", Path("table.dxf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string cells =
        Cells({{"washer", "1.50", "1", "\xC3\xB9\xC3\xAC\xC3\xA5\xC3\xAD", "1.50"},
               {"anchor", "12.00", "2", "Anchor bolt for concrete, M10 x 120", "24.00"},
               {"plate", "100.00", "3", "base plate", "300.00"},
               {"nut", "0.10", "9", "nut M8", "0.90"},
               {"bolt", "0.25", "10", "Zinc bolt M8", "2.50"},
               {"Summary:", "", "", "", "328.90"}});
    EXPECT_EQ(TableCheck(Path("table.dxf"), "QVN0001", cells, true, "5,-2.5", "0.15"), "ok\n");

    // Hidden prices: three text columns, two pairs of column lines on each other, no summary.
    run = Bom({Path("plan.dxf"), "--prices", Path("prices.prc"), "--hide-prices", "--table", "0,0",
               "-o", Path("hidden.dxf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    cells = Cells({{"bolt", "0.25", "10", "Zinc bolt M8", "2.50"},
                   {"nut", "0.10", "9", "nut M8", "0.90"},
                   {"washer", "1.50", "1", "", "1.50"},
                   {"anchor", "12.00", "2", "Anchor bolt for concrete, M10 x 120", "24.00"},
                   {"plate", "100.00", "3", "base plate", "300.00"},
                   {"Summary:", "", "", "", "328.90"}});
    EXPECT_EQ(TableCheck(Path("hidden.dxf"), "QVN0001", cells, false, "0,0", "1"), "ok\n");
}

TEST_F(KestrelBom, TablesTakeTheNextNumberAfterTheDrawingsOwn) {
    MakeDrawing("numbered.dxf", "--blocks QVN0003 qvn0010 QVNTABLE QVN12");
    KestrelResult run = Bom({Path("numbered.dxf"), "--table", "0,0", "-o", Path("next.dxf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string peer =
        RunShell("/usr/bin/python3 " + kSourceDir + "/tests/shell/drawing_check.py '" +
                 Path("next.dxf") + "' insert QVN0011 2>&1");
    EXPECT_TRUE(Has(peer, "audit errors 0\nref 0,0 1,1 0 BLOCKNAME=Block name")) << peer;

    // A second table in the saved drawing takes the number after it.
    run = Bom({Path("next.dxf"), "--table", "0,40", "-o", Path("next2.dxf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    peer = RunShell("/usr/bin/python3 " + kSourceDir + "/tests/shell/drawing_check.py '" +
                    Path("next2.dxf") + "' insert QVN0012 2>&1");
    EXPECT_TRUE(Has(peer, "ref 0,40 1,1 0 ")) << peer;

    // No number is left after 9999: nothing is built or placed, and the run says why.
    MakeDrawing("full.dxf", "--blocks QVN9999");
    run = Bom({Path("full.dxf"), "--table", "0,0", "-o", Path("full-out.dxf")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kestrel: Too large number for name of table price\n");
    EXPECT_FALSE(std::filesystem::exists(Path("full-out.dxf")));
}

TEST_F(KestrelBom, AnEmptyReportHasNoSummaryInTheFileOrTheTable) {
    // The price list names nothing the drawing holds: the report opens with no rows.
    Write(Path("other.prc"), "Door|120|Interior door\r\n");
    KestrelResult run = Bom({Path("plan.dxf"), "--prices", Path("other.prc"), "--report", "-",
                             "--sort", "quantity", "--table", "1,2", "-o", Path("empty.dxf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, kPricedHeading);
    EXPECT_EQ(TableCheck(Path("empty.dxf"), "QVN0001", Cells({}), true, "1,2", "1"), "ok\n");
}

TEST_F(KestrelBom, AShotOfTheReportAsItStandsBeforeItCloses) {
    std::string shots = Path("shots");
    KestrelResult run = Bom({Path("plan.dxf"), "--prices", Path("prices.prc"), "--sort",
                             "quantity:desc", "--shots", shots});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(std::filesystem::exists(shots + "/report.png"));
    EXPECT_GT(std::filesystem::file_size(shots + "/report.png"), 5000u);
    // Kept for people to look at.
    std::filesystem::create_directories(kBinaryDir + "/shots/report");
    std::filesystem::copy_file(shots + "/report.png", kBinaryDir + "/shots/report/bom.png",
                               std::filesystem::copy_options::overwrite_existing);
}

TEST_F(KestrelBom, CharactersAReportFileCannotHoldBecomeQuestionMarksWithOneWarning) {
    std::string command = "/usr/bin/python3 -c \"import ezdxf; d = ezdxf.new('R2010'); "
                          "d.blocks.new('T\\u00fcr\\u20ac').add_line((0, 0), (1, 0)); "
                          "d.modelspace().add_blockref('T\\u00fcr\\u20ac', (0, 0)); "
                          "d.saveas('" +
                          Path("euro.dxf") + "')\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    KestrelResult run = Bom({Path("euro.dxf"), "--report", Path("euro.txt")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(Path("euro.txt")), std::string(kPricedHeading) +
                                              "      t\xFCr?       0.00          1                 "
                                              "           0.00\r\n" +
                                              "  Summary:                                        "
                                              "          0.00\r\n");
    EXPECT_EQ(run.err, "kestrel: Warning: 1 character(s) that a report file cannot hold were "
                       "written as \"?\" to " +
                           Path("euro.txt") + "\n");
    run = Bom({Path("euro.dxf"), "--report", "-"});
    EXPECT_TRUE(Has(run.err, "written as \"?\" to standard output\n")) << run.err;
}

TEST_F(KestrelBom, NoBillOfMaterialsEndsWithOneAndSaysWhy) {
    std::string command = "/usr/bin/python3 -c \"import ezdxf; d = ezdxf.new('R2010'); "
                          "d.blocks.new('Door'); d.modelspace().add_line((0, 0), (1, 1)); "
                          "d.saveas('" +
                          Path("lines.dxf") + "')\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    KestrelResult run = Bom({Path("lines.dxf"), "--report", "-"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Has(run.err, "has no block references to count")) << run.err;

    run = Bom({Path("plan.dxf"), "--prices", Path("missing.prc"), "--report", "-"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "kestrel: File " + Path("missing.prc") + " could  not be opened\n");

    run = Bom({Path("plan.dxf"), "--prices", *dir, "--report", "-"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "is not a regular file")) << run.err;

    run = Bom({Path("plan.dxf"), "--report", Path("no/such/folder/r.txt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "could  not be opened")) << run.err;

    // Bad arguments and an unreadable drawing end with 2 before anything runs.
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{Path("plan.dxf"), "--sort", "size"},
                                               {Path("plan.dxf"), "--scale", "2"},
                                               {Path("plan.dxf"), "--table", "1;2"},
                                               {Path("missing.dxf")}}) {
        run = Bom(args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_TRUE(Has(run.err, "kestrel: ")) << run.err;
    }
    KestrelResult help = RunKestrel({"bom", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option :
         {"--prices FILE", "--report OUT", "--hide-prices", "--sort COLUMN", "--table X,Y",
          "--scale S", "--shots DIR", "-o OUT.dxf", "Exit codes"})
        EXPECT_TRUE(Has(help.out, option)) << option;
}

// LibreCAD's dxf2pdf draws R12 drawings: the page with the table holds more than the plan alone.
TEST_F(KestrelBom, LibreCadDrawsTheInsertedTable) {
    if (!std::filesystem::exists("/usr/bin/librecad"))
        GTEST_SKIP() << "LibreCAD is not installed";
    MakeDrawing("r12.dxf", "R12");
    KestrelResult run = Bom({Path("r12.dxf"), "--prices", Path("prices.prc"), "--table", "0,-2",
                             "--scale", "0.5", "-o", Path("r12-table.dxf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto render = [&](const std::string& name) {
        RunShell("cd '" + *dir + "' && QT_QPA_PLATFORM=offscreen timeout 120 librecad dxf2pdf '" +
                 Path(name + ".dxf") + "' >/dev/null 2>&1");
        std::string pdf = Path(name + ".pdf");
        return std::filesystem::exists(pdf) ? std::filesystem::file_size(pdf) : 0;
    };
    auto before = render("r12");
    auto after = render("r12-table");
    EXPECT_GT(after, 1000u);
    EXPECT_GT(after, before);
}
