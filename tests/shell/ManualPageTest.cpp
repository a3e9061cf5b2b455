// The manual page says what --help says: every paragraph and every entry of both help texts
// is in it word for word, no option is in one and not the other, and it names this version.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

#include "shell/Arguments.h"
#include "shell/BomArguments.h"

namespace {

std::string Collapse(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\t';
        if (space && (out.empty() || out.back() == ' '))
            continue;
        out += space ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// The page's words as a reader sees them: requests dropped but their arguments kept, font
// changes dropped, escapes turned back into their characters.
std::string PageText(const std::string& source) {
    std::istringstream lines(source);
    std::string text;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(".\\\"", 0) == 0)
            continue;
        if (!line.empty() && line[0] == '.') {
            const std::size_t space = line.find(' ');
            line = space == std::string::npos ? "" : line.substr(space + 1);
            std::erase(line, '"');
        }
        for (const auto& [from, to] : {std::pair{"\\fB", ""},
                                       {"\\fI", ""},
                                       {"\\fR", ""},
                                       {"\\fP", ""},
                                       {"\\&", ""},
                                       {"\\-", "-"},
                                       {"\\(dq", "\""},
                                       {"\\e", "\\"}}) {
            for (std::size_t at; (at = line.find(from)) != std::string::npos;)
                line.replace(at, std::string(from).size(), to);
        }
        text += line + "\n";
    }
    return Collapse(text);
}

// A help text as the pieces the page must hold: each paragraph of prose whole, and each
// entry of a table (a line indented by two, with the lines indented deeper under it) whole.
// The usage lines are left to the option check: the page sets them out its own way.
std::vector<std::string> HelpPieces(const std::string& help) {
    std::vector<std::string> pieces;
    std::istringstream lines(help.substr(help.find("\n\n") + 2));
    std::string paragraph;
    auto flush = [&] {
        if (!Collapse(paragraph).empty())
            pieces.push_back(Collapse(paragraph));
        paragraph.clear();
    };
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line == "Options:" || line.rfind("  ", 0) == 0) {
            if (line.rfind("  ", 0) != 0 || line[2] != ' ')
                flush(); // a new paragraph or a new entry
            if (line == "Options:")
                continue;
        }
        paragraph += line + "\n";
    }
    flush();
    return pieces;
}

std::set<std::string> Options(const std::string& text) {
    static const std::regex option(R"((^|[\s\[|(])(--?[a-z][a-z-]*))");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it)
        found.insert((*it)[2]);
    return found;
}

std::string Page() {
    std::ifstream in(std::string(KESTREL_SOURCE_DIR) + "/docs/kestrel.1");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(ManualPage, HoldsEveryParagraphAndEntryOfBothHelpTexts) {
    const std::string source = Page();
    ASSERT_FALSE(source.empty());
    const std::string page = PageText(source);
    std::size_t pieces = 0;
    for (const char* help : {shell::UsageText(), shell::BomUsageText()})
        for (const std::string& piece : HelpPieces(help)) {
            ++pieces;
            EXPECT_NE(page.find(piece), std::string::npos) << "not in docs/kestrel.1: " << piece;
        }
    EXPECT_GT(pieces, 30u); // the split found the entries, not one lump per text
}

TEST(ManualPage, NamesTheSameOptionsAndThisVersion) {
    const std::string page = PageText(Page());
    std::set<std::string> help = Options(shell::UsageText());
    help.merge(Options(shell::BomUsageText()));
    EXPECT_EQ(Options(page), help);
    std::string version = shell::VersionText();
    version.pop_back();
    const std::string title = Page().substr(0, Page().find('\n'));
    EXPECT_NE(title.find("\"" + version + "\""), std::string::npos) << title;
}
