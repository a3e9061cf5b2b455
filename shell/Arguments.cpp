#include "shell/Arguments.h"

namespace shell {

const char* VersionText() {
    return "kestrel " KESTREL_VERSION "\n";
}

const char* UsageText() {
    return R"(usage: kestrel DRAWING.dxf [--script FILE | -c LINE ...] [-o OUT.dxf] [--shots DIR] [--gui]
                          [--module PATH]
       kestrel bom DRAWING.dxf [--prices FILE.prc] [--report OUT.txt|-] ...   (kestrel bom --help)
       kestrel --help | --version

Opens the drawing, loads the module (kestrel.arx), runs the editor input and unloads the
module. The input is a script (--script FILE), lines given with -c (each -c is one line), or
else the console: the same language typed live. A line answers what waits at that moment:

  ZRBOMT, ZRBOMC, any registered command   runs it (an unknown name is reported and skipped)
  'ZRBOMC at a prompt                      runs a transparent command in between
  SAVE [path]                              saves the drawing (atomically, keeping NAME.bak)
  a path, or CANCEL                        answers a file dialog
  ALL | W x1,y1 x2,y2 | C x1,y1 x2,y2 | H handle ...
                                           adds to an object selection; an empty line ends it
  x,y or x,y,z; CANCEL                     answers a point prompt
  MOVE x,y | PICK x,y | ENTER | ESC        cursor events while a rubber band follows the cursor
  CLICK id | CLICK "text"                  presses a button of the open dialog or message box
  KEY name | TYPE "text"                   a key (ESC, ENTER, TAB, SHIFT+TAB, UP, F2, a letter)
                                           or typed characters to the focused window
  MOUSE [SHIFT+|CTRL+]verb x,y [id]        the mouse (DOWN, UP, MOVE, DBLCLK, RDOWN, RUP) at
                                           client coordinates of control id
  WAIT ms                                  lets time pass (timers fire)
  SHOT name                                saves the active window as DIR/name.png (with no
                                           dialog open, the main window: the drawing's view)
  EXPECT DIALOG "caption" | EXPECT TEXT id "text" | EXPECT ALERT "text"
                                           checks; a failed check ends the run with code 3
  # ...                                    a comment

Windows are drawn headless (in memory); alerts appear as message boxes, which the script
answers (CLICK "OK"), and are also printed on standard error. ZRBOMT opens the "BOM
Template" dialog, the price-list editor. ZRBOMC asks for a price file and a
selection, counts and prices the block references and opens the "BOM Report" dialog: a click
on a column title sorts by it, "Show Price" hides or shows the prices, "Save to file" saves
the report as text, "Insert" builds the table block and then asks for its upper-left corner
and its scale (MOVE, then PICK or ENTER), "Close" or Esc ends. `kestrel bom` does all of it
in one command.

Options:
  --script FILE   read the input from FILE (UTF-8)
  -c LINE         one input line; may be repeated
  -o OUT.dxf      save the drawing to OUT.dxf when the input has run to its end
  --shots DIR     where SHOT saves its pictures (default: shots)
  --gui           show the windows on the display (also without a script when a display
                  is there): the main window with the drawing and a command line, and the
                  dialogs. Without a script the lines are typed in the command line and the
                  mouse picks points and objects in the view (drag right: window, left:
                  crossing; middle button pans, wheel zooms); with one, WAIT is real time
  --module PATH   the module to load (default: kestrel.arx beside this program,
                  or ../lib/kestrel/kestrel.arx from its folder, as installed)
  --help          this text
  --version       the program's name and version

Exit codes: 0 the input ran to its end; 2 bad arguments, an unreadable drawing, script or
module, or a script line that cannot be carried out; 3 an EXPECT failed or a command left an
object open or ended with an error; 4 the input ended while something waited for it (the
message names what waited).
)";
}

bool TakeDrawing(const std::string& arg, std::string& drawing, std::string& error) {
    if (arg.size() > 1 && arg[0] == '-') {
        error = "unknown option " + arg;
        return false;
    }
    if (!drawing.empty()) {
        error = "more than one drawing given: " + drawing + " and " + arg;
        return false;
    }
    drawing = arg;
    return true;
}

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error) {
    Arguments result;
    // Every option but -c names a file or folder, and an empty name names none.
    auto value = [&](std::size_t& i, const std::string& option) -> std::optional<std::string> {
        if (i + 1 >= args.size() || (option != "-c" && args[i + 1].empty())) {
            error = option + (option == "-c"        ? " needs a value"
                              : option == "--shots" ? " needs a folder name"
                                                    : " needs a file name");
            return std::nullopt;
        }
        return args[++i];
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.help = true;
        } else if (arg == "--version") {
            result.version = true;
        } else if (arg == "--script") {
            auto v = value(i, arg);
            if (!v)
                return std::nullopt;
            if (!result.script.empty()) {
                error = "--script is given twice";
                return std::nullopt;
            }
            result.script = *v;
        } else if (arg == "-c") {
            auto v = value(i, arg);
            if (!v)
                return std::nullopt;
            result.lines.push_back(*v);
        } else if (arg == "-o") {
            auto v = value(i, arg);
            if (!v)
                return std::nullopt;
            result.output = *v;
        } else if (arg == "--module") {
            auto v = value(i, arg);
            if (!v)
                return std::nullopt;
            result.module = *v;
        } else if (arg == "--shots") {
            auto v = value(i, arg);
            if (!v)
                return std::nullopt;
            result.shots = *v;
        } else if (arg == "--gui") {
            result.gui = true;
        } else if (!TakeDrawing(arg, result.drawing, error)) {
            return std::nullopt;
        }
    }
    if (result.help || result.version)
        return result;
    if (result.drawing.empty()) {
        error = "no drawing given";
        return std::nullopt;
    }
    if (!result.script.empty() && !result.lines.empty()) {
        error = "--script and -c cannot be used together";
        return std::nullopt;
    }
    return result;
}

} // namespace shell
