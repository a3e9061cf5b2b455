#pragma once
// The command line of `kestrel bom`: the bill of materials of a drawing in one command.

#include <optional>
#include <string>
#include <vector>

namespace shell {

// The report's columns as --sort names them, in the dialog's order.
enum class BomColumn { Name, Price, Quantity, Description, Total };

struct BomArguments {
    bool help = false;
    std::string drawing;
    std::string prices;            // --prices FILE ("" = none)
    std::string report;            // --report OUT ("" = none, "-" = standard output)
    bool hidePrices = false;       // --hide-prices
    std::optional<BomColumn> sort; // --sort COLUMN[:desc]
    bool sortDescending = false;
    bool table = false; // --table X,Y
    double tableX = 0.0, tableY = 0.0;
    double scale = 1.0; // --scale S
    std::string shots;  // --shots DIR ("" = no picture)
    std::string output; // -o OUT.dxf
    std::string module; // --module PATH ("" = beside the program)
};

// Reads the arguments after "bom"; nothing with `error` set when they are wrong.
std::optional<BomArguments> ParseBomArguments(const std::vector<std::string>& args,
                                              std::string& error);

// The text of `kestrel bom --help`.
const char* BomUsageText();

} // namespace shell
