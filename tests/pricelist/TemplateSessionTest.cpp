// Whole sessions of the "BOM Template" dialog through the kestrel program, as a person works
// it: the price files they leave are compared byte for byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/shell/KestrelRun.h"

namespace {

// The office plan's blocks: Door, Window, Chair, Desk. Cells of the price grid (control 1)
// lie 20 pixels a row; the columns start at 0, 201 and 268.
std::string Cell(int col, int row) {
    const int x[] = {100, 230, 400};
    return std::to_string(x[col]) + "," + std::to_string(20 * row + 10) + " 1";
}
std::vector<std::string> ClickCell(int col, int row) {
    return {"MOUSE DOWN " + Cell(col, row), "MOUSE UP " + Cell(col, row)};
}
std::vector<std::string> ClickHeading(int col) {
    const std::string at = (col == 1 ? "230" : "100") + std::string(",10 2");
    return {"MOUSE DOWN " + at, "MOUSE UP " + at};
}

const std::string kOffice = "Door|120.00|Interior door, 90 cm\r\nDesk|310.00|Office desk\r\n";

// A folder with its own copy of the module (the settings files lie beside it) and files.
class Session {
public:
    explicit Session(const std::string& name) : dir_(ScratchDir("template-" + name)) {
        std::filesystem::copy_file(kBinaryDir + "/bin/kestrel.arx", dir_ + "/kestrel.arx");
    }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool Has(const std::string& name) const { return std::filesystem::exists(Path(name)); }

    // ZRBOMT and then the lines; shots go to the build's shot folder.
    KestrelResult Run(const std::vector<std::vector<std::string>>& parts) const {
        std::string shots = kBinaryDir + "/shots/pricelist";
        std::vector<std::string> args = {
            kOfficePlan, "--module", Path("kestrel.arx"), "--shots", shots, "-c", "ZRBOMT"};
        for (const auto& part : parts) {
            for (const auto& line : part) {
                args.push_back("-c");
                args.push_back(line);
            }
        }
        return RunKestrel(args, "", 60);
    }

private:
    std::string dir_;
};

std::vector<std::string> Open(const Session& s, const std::string& name) {
    return {"CLICK \"&Open\"", s.Path(name)};
}

} // namespace

TEST(TemplateClose, WritesSettingsOnlyForAListAndAsksBeforeDroppingEdits) {
    Session s("close");
    s.Write("list.prc", kOffice);
    KestrelResult at = s.Run({{"CLICK \"&Close\""}});
    EXPECT_EQ(at.exitCode, 0) << at.err;
    EXPECT_FALSE(s.Has("kestrel1.set") || s.Has("filename.set"));

    // An edit, Close, Cancel: the dialog stays. Close, No: the list is untouched, the settings
    // are kept (the default widths 3 : 1 : 4 of the grid's width).
    std::vector<std::string> edit = ClickCell(1, 0);
    edit.insert(edit.end(), {"TYPE \"99\"", "KEY ENTER"});
    KestrelResult no = s.Run(
        {Open(s, "list.prc"),
         edit,
         {"CLICK \"&Close\"", "EXPECT TEXT 65535 \"Save changes to " + s.Path("list.prc") + "\"",
          "CLICK \"Cancel\"", "EXPECT DIALOG \"BOM Template\"", "CLICK \"&Close\"",
          "CLICK \"No\""}});
    EXPECT_EQ(no.exitCode, 0) << no.err;
    EXPECT_EQ(s.Read("list.prc"), kOffice);
    EXPECT_EQ(s.Read("kestrel1.set"), "201 67 268 ");
    EXPECT_EQ(s.Read("filename.set"), s.Path("list.prc"));

    // Yes with an incomplete row: the status line says why and the dialog stays.
    KestrelResult incomplete =
        s.Run({Open(s, "list.prc"),
               {"CLICK \"&Insert Row\"", "KEY ESC", "CLICK \"&Close\"", "CLICK \"Yes\"",
                "EXPECT TEXT 1001 \"Block name is absent\"", "WAIT 200", "SHOT template-status",
                "CLICK \"&Close\"", "CLICK \"No\""}});
    EXPECT_EQ(incomplete.exitCode, 0) << incomplete.err;
    EXPECT_EQ(s.Read("list.prc"), kOffice);

    // Yes: the list is saved, then the dialog ends.
    KestrelResult yes = s.Run({Open(s, "list.prc"), edit, {"CLICK \"&Close\"", "CLICK \"Yes\""}});
    EXPECT_EQ(yes.exitCode, 0) << yes.err;
    EXPECT_EQ(s.Read("list.prc"), "Door|99|Interior door, 90 cm\r\nDesk|310.00|Office desk\r\n");
}

TEST(TemplateNew, StartsAFileFromTheGridAndOneFreshRow) {
    Session s("new");
    // No list yet: an empty file, then one row whose typed name (not a block of the drawing)
    // is accepted.
    KestrelResult first =
        s.Run({{"CLICK \"&New\"", s.Path("a.prc"), "EXPECT TEXT 210 \"" + s.Path("a.prc") + "\"",
                "TYPE \"Sofa\"", "KEY TAB", "TYPE \"12.5\"", "KEY TAB", "TYPE \"green\"",
                "SHOT template-editing", "KEY TAB", "CLICK \"&Save\"", "CLICK \"&Close\""}});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(s.Read("a.prc"), "Sofa|12.5|green\r\n");

    // New while a list is open and edited. Yes: the edit is saved, the new file starts with
    // the rows of the grid, and a fresh row follows (editing it counts as a change).
    std::vector<std::string> edit = ClickCell(2, 0);
    edit.insert(edit.end(), {"TYPE \"blue\"", "KEY ENTER"});
    KestrelResult yes = s.Run(
        {Open(s, "a.prc"),
         edit,
         {"CLICK \"&New\"", "CLICK \"Yes\"", s.Path("b.prc"), "CLICK \"&Close\"", "CLICK \"No\""}});
    EXPECT_EQ(yes.exitCode, 0) << yes.err;
    EXPECT_EQ(s.Read("a.prc"), "Sofa|12.5|blue\r\n");
    EXPECT_EQ(s.Read("b.prc"), "Sofa|12.5|blue\r\n");

    // No: the open file keeps what it had; the new one still takes the grid's rows.
    edit = ClickCell(2, 0);
    edit.insert(edit.end(), {"TYPE \"red\"", "KEY ENTER"});
    KestrelResult no = s.Run(
        {Open(s, "a.prc"),
         edit,
         {"CLICK \"&New\"", "CLICK \"No\"", s.Path("c.prc"), "CLICK \"&Close\"", "CLICK \"No\""}});
    EXPECT_EQ(no.exitCode, 0) << no.err;
    EXPECT_EQ(s.Read("a.prc"), "Sofa|12.5|blue\r\n");
    EXPECT_EQ(s.Read("c.prc"), "Sofa|12.5|red\r\n");

    // Cancel at the prompt or in the file dialog: nothing is written, the name stays.
    KestrelResult cancel = s.Run(
        {Open(s, "a.prc"),
         edit,
         {"CLICK \"&New\"", "CLICK \"Cancel\"", "CLICK \"&New\"", "CLICK \"No\"", "CANCEL",
          "EXPECT TEXT 210 \"" + s.Path("a.prc") + "\"", "CLICK \"&Close\"", "CLICK \"No\""}});
    EXPECT_EQ(cancel.exitCode, 0) << cancel.err;
    EXPECT_EQ(s.Read("a.prc"), "Sofa|12.5|blue\r\n");
    EXPECT_EQ(s.Read("filename.set"), s.Path("a.prc"));
}

TEST(TemplateOpen, ReplacesTheGridAndRefusesAFileThatDoesNotOpen) {
    Session s("open");
    s.Write("list.prc", kOffice);
    s.Write("other.prc", "Chair|89.90|\r\n");
    // No at the prompt discards the edit from the grid: Save As writes the file as read.
    std::vector<std::string> edit = ClickCell(0, 0);
    edit.insert(edit.end(), {"TYPE \"Window\"", "KEY ENTER"});
    KestrelResult no = s.Run({Open(s, "list.prc"),
                              edit,
                              {"CLICK \"&Open\"", "CLICK \"No\"", s.Path("other.prc"),
                               "CLICK \"&Save As\"", s.Path("copy.prc"), "CLICK \"&Close\""}});
    EXPECT_EQ(no.exitCode, 0) << no.err;
    EXPECT_EQ(s.Read("list.prc"), kOffice);
    EXPECT_EQ(s.Read("copy.prc"), "Chair|89.90|\r\n");

    KestrelResult missing =
        s.Run({Open(s, "list.prc"),
               Open(s, "gone.prc"),
               {"EXPECT ALERT \"File " + s.Path("gone.prc") + " could  not be opened\"",
                "CLICK \"OK\"", "EXPECT TEXT 210 \"" + s.Path("list.prc") + "\"",
                "SHOT template-list-open", "CLICK \"&Close\""}});
    EXPECT_EQ(missing.exitCode, 0) << missing.err;
    EXPECT_EQ(s.Read("filename.set"), s.Path("list.prc"));
}

TEST(TemplateSave, SaveOnlyWhenModifiedSaveAsAlwaysAndNeitherWithAnIncompleteRow) {
    Session s("save");
    s.Write("list.prc", kOffice);
    // Save As writes the list whether or not it changed (Save waits for a change).
    KestrelResult as =
        s.Run({Open(s, "list.prc"), {"CLICK \"&Save As\"", s.Path("as.prc"), "CLICK \"&Close\""}});
    EXPECT_EQ(as.exitCode, 0) << as.err;
    EXPECT_EQ(s.Read("as.prc"), kOffice);

    // An incomplete row: Save As reports it at once, without asking for a file name; Save
    // reports it too; nothing is written.
    std::vector<std::string> noPrice = ClickCell(1, 1);
    noPrice.insert(noPrice.end(), {"KEY BACKSPACE", "KEY ENTER"});
    KestrelResult incomplete =
        s.Run({Open(s, "list.prc"),
               noPrice,
               {"CLICK \"&Save As\"", "EXPECT TEXT 1001 \"Price is absent\"", "CLICK \"&Save\"",
                "EXPECT TEXT 1001 \"Price is absent\"", "CLICK \"&Close\"", "CLICK \"No\""}});
    EXPECT_EQ(incomplete.exitCode, 0) << incomplete.err;
    EXPECT_EQ(incomplete.out.find("Save as ("), std::string::npos) << incomplete.out;
    EXPECT_EQ(s.Read("list.prc"), kOffice);
}

TEST(TemplateRows, InsertDeleteMoveAndSort) {
    Session s("rows");
    s.Write("prices.prc", "b|10|\r\nA|9|x\r\nc|100|\r\n");
    // Sorting by price orders 9 before 10; a second click reverses; by name, case is ignored.
    KestrelResult sorted = s.Run({Open(s, "prices.prc"),
                                  ClickHeading(1),
                                  {"CLICK \"&Save As\"", s.Path("up.prc")},
                                  ClickHeading(1),
                                  {"CLICK \"&Save As\"", s.Path("down.prc")},
                                  ClickHeading(0),
                                  {"CLICK \"&Save As\"", s.Path("names.prc"), "CLICK \"&Close\""}});
    EXPECT_EQ(sorted.exitCode, 0) << sorted.err;
    EXPECT_EQ(s.Read("up.prc"), "A|9|x\r\nb|10|\r\nc|100|\r\n");
    EXPECT_EQ(s.Read("down.prc"), "c|100|\r\nb|10|\r\nA|9|x\r\n");
    EXPECT_EQ(s.Read("names.prc"), "A|9|x\r\nb|10|\r\nc|100|\r\n");

    // Move Down and Up swap rows with the current one (rows b, A, c become A, c, b and A, b, c);
    // a row inserted after the current one takes a block name chosen from its drop list (Door
    // is the third of Chair, Desk, Door, Window).
    KestrelResult moved =
        s.Run({Open(s, "prices.prc"),
               ClickCell(2, 0),
               {"KEY ESC", "CLICK \"&Move Down\"", "KEY ESC", "CLICK \"&Move Down\"", "KEY ESC",
                "CLICK \"&Move Up\"", "CLICK \"&Insert Row\"", "MOUSE DOWN 190,48 1",
                "MOUSE UP 190,48 1", "SHOT template-drop-list", "KEY DOWN", "KEY DOWN", "KEY DOWN",
                "KEY ENTER", "CLICK \"&Save\"", "CLICK \"&Close\""}});
    EXPECT_EQ(moved.exitCode, 0) << moved.err;
    EXPECT_EQ(s.Read("prices.prc"), "A|9|x\r\nb|10|\r\nDoor|0|\r\nc|100|\r\n");

    // A name that another row has is refused, whatever its case; the editor stays on it.
    KestrelResult duplicate =
        s.Run({Open(s, "prices.prc"),
               {"CLICK \"&Insert Row\"", "TYPE \"DOOR\"", "KEY ENTER",
                "EXPECT TEXT 65535 \"Block name DOOR is not unique\"", "CLICK \"OK\"",
                "TYPE \"Desk\"", "KEY ENTER", "CLICK \"&Save\"", "CLICK \"&Close\""}});
    EXPECT_EQ(duplicate.exitCode, 0) << duplicate.err;
    EXPECT_EQ(s.Read("prices.prc"), "A|9|x\r\nDesk|0|\r\nb|10|\r\nDoor|0|\r\nc|100|\r\n");
}

TEST(TemplateRows, DeletingTheOnlyRowLeavesNothingToMoveOrEdit) {
    Session s("delete");
    std::vector<std::string> start = {"CLICK \"&New\"", s.Path("one.prc"), "CLICK \"&Delete Row\"",
                                      "TYPE \"x\""};
    KestrelResult empty =
        s.Run({start, {"CLICK \"&Save As\"", s.Path("empty.prc"), "CLICK \"&Close\""}});
    EXPECT_EQ(empty.exitCode, 0) << empty.err;
    EXPECT_TRUE(s.Has("empty.prc"));
    EXPECT_EQ(s.Read("empty.prc"), "");
    for (const char* move : {"CLICK \"&Move Up\"", "CLICK \"&Move Down\""}) {
        KestrelResult refused = s.Run({start, {move}});
        EXPECT_EQ(refused.exitCode, 2) << move;
        EXPECT_NE(refused.err.find("disabled"), std::string::npos) << refused.err;
    }
}
