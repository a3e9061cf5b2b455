#include "shell/BomArguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "shell/Arguments.h"

namespace shell {

namespace {

std::optional<double> Number(const std::string& text) {
    if (text.empty() || text.find_first_of(" \t\n") != std::string::npos)
        return std::nullopt;
    for (char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return std::nullopt; // no hexadecimal, infinities or NaN
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<BomColumn> Column(const std::string& name) {
    static const char* const kNames[] = {"name", "price", "quantity", "description", "total"};
    for (int i = 0; i < 5; ++i)
        if (name == kNames[i])
            return static_cast<BomColumn>(i);
    return std::nullopt;
}

bool ReadSort(const std::string& value, BomArguments& result, std::string& error) {
    std::string column = value, direction;
    if (std::size_t colon = value.find(':'); colon != std::string::npos) {
        column = value.substr(0, colon);
        direction = value.substr(colon + 1);
    }
    result.sort = Column(column);
    if (!result.sort || (direction != "" && direction != "asc" && direction != "desc")) {
        error = "--sort takes name, price, quantity, description or total, optionally with "
                ":asc or :desc, not \"" +
                value + "\"";
        return false;
    }
    result.sortDescending = direction == "desc";
    return true;
}

bool ReadCorner(const std::string& value, BomArguments& result, std::string& error) {
    std::size_t comma = value.find(',');
    auto x = comma == std::string::npos ? std::nullopt : Number(value.substr(0, comma));
    auto y = comma == std::string::npos ? std::nullopt : Number(value.substr(comma + 1));
    if (!x || !y) {
        error = "--table takes the table's upper-left corner as X,Y, not \"" + value + "\"";
        return false;
    }
    result.table = true;
    result.tableX = *x;
    result.tableY = *y;
    return true;
}

} // namespace

std::optional<BomArguments> ParseBomArguments(const std::vector<std::string>& args,
                                              std::string& error) {
    BomArguments result;
    bool scaleGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        const std::string* v = nullptr;
        if (arg == "--help" || arg == "-h") {
            result.help = true;
        } else if (arg == "--hide-prices") {
            result.hidePrices = true;
        } else if (arg == "--prices" || arg == "--report" || arg == "--shots" || arg == "-o" ||
                   arg == "--module") {
            if (!(v = value()))
                return std::nullopt;
            if (v->empty()) {
                error = arg + " needs a value, not an empty text";
                return std::nullopt;
            }
            std::string& target = arg == "--prices"   ? result.prices
                                  : arg == "--report" ? result.report
                                  : arg == "--shots"  ? result.shots
                                  : arg == "-o"       ? result.output
                                                      : result.module;
            target = *v;
        } else if (arg == "--sort") {
            if (!(v = value()) || !ReadSort(*v, result, error))
                return std::nullopt;
        } else if (arg == "--table") {
            if (!(v = value()) || !ReadCorner(*v, result, error))
                return std::nullopt;
        } else if (arg == "--scale") {
            if (!(v = value()))
                return std::nullopt;
            auto scale = Number(*v);
            if (!scale || *scale <= 0) {
                error = "--scale takes a number above 0, not \"" + *v + "\"";
                return std::nullopt;
            }
            result.scale = *scale;
            scaleGiven = true;
        } else if (!TakeDrawing(arg, result.drawing, error)) {
            return std::nullopt;
        }
    }
    if (result.help)
        return result;
    if (result.drawing.empty()) {
        error = "no drawing given";
        return std::nullopt;
    }
    if (scaleGiven && !result.table) {
        error = "--scale needs --table X,Y";
        return std::nullopt;
    }
    return result;
}

const char* BomUsageText() {
    return R"(usage: kestrel bom DRAWING.dxf [--prices FILE.prc] [--report OUT.txt|-] [--hide-prices]
                   [--sort COLUMN[:desc]] [--table X,Y [--scale S]] [--shots DIR]
                   [-o OUT.dxf] [--module PATH]
       kestrel bom --help

Makes the bill of materials of the drawing's block references as a person does it with the
ZRBOMC command, which it runs on a generated script: the file dialog gets the price file (or
is cancelled), the selection is ALL (every entity of model space on a layer that is not
frozen), and the "BOM Report" dialog is worked with its own buttons: clicks on a column title
sort, "Show Price" hides the prices, "Save to file" saves the report, "Insert" builds the table
and places it, "Close" ends. Its results are the dialog's.

Options:
  --prices FILE    the price file: lines "name|price|description", one byte per character.
                   Only the block names it lists are counted, each name in any letter case.
                   Without it every block name is counted, at price 0.00
  --report OUT     saves the report as text in OUT (".txt" is added when OUT has no
                   extension, as the file dialog adds it); "-" writes it to standard output.
                   Fixed-width columns, one byte per character, CR LF line ends; a character
                   that such a file cannot hold is written as "?" with a warning on
                   standard error
  --hide-prices    the report and the table without Item Price and Total, and without the
                   summary line
  --sort COLUMN    sorts by name, price, quantity, description or total, ascending;
                   COLUMN:desc sorts descending. Names and descriptions ignore letter case,
                   prices, quantities and totals compare as numbers, empty texts come last
                   and the summary line stays last. Without --sort the lines keep the order
                   of the price file, or without one the order in which the drawing holds
                   the first reference of each name
  --table X,Y      builds the report as a table block (QVN0001, then the next free number)
                   of lines and attribute definitions, text style QVNTABLE, and inserts it
                   with its upper-left corner at X,Y
  --scale S        the table's scale, above 0 (default 1)
  --shots DIR      saves DIR/report.png: the report dialog as it stands before it closes
  -o OUT.dxf       saves the drawing (with the table) to OUT.dxf; a file that was there is
                   kept as OUT.bak
  --module PATH    the module to load (default: kestrel.arx beside this program,
                   or ../lib/kestrel/kestrel.arx from its folder, as installed)
  --help           this text

As the dialog does when it closes, a run keeps the report's column widths and the price file
in the settings files beside the module (kestrel2.set, filename.set), or, where the user may
not write beside an installed module, in ~/.config/kestrel ($XDG_CONFIG_HOME/kestrel).

Exit codes: 0 the bill of materials was made; 1 it was not: the price file cannot be read,
the drawing has no block references to count, the report file cannot be written or the
table not built (standard error says why); 2 bad arguments, an unreadable drawing, or a
drawing that cannot be saved.
)";
}

} // namespace shell
