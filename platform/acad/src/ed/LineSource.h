#pragma once
// Where the lines of a run come from: a script file, lines given on the command line, or the
// console. One source serves every kind of wait of the run (command prompt, prompts, file
// dialogs, selection, cursor tracking, dialogs).

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ed {

class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line, or nothing once the source has ended. `awaited` names what waits for it.
    virtual std::optional<std::wstring> Next(const std::wstring& awaited) = 0;
    // Where the last line came from, for messages ("plan.scr:12", "-c 3", "console:4").
    virtual std::wstring Where() const = 0;
    // Scripts show each line after its prompt; on the console the terminal already did.
    virtual bool EchoesLines() const = 0;
};

// Lines of a script or of -c arguments, in order; `origin` names them in messages.
class ScriptLines : public LineSource {
public:
    ScriptLines(std::vector<std::wstring> lines, std::wstring origin, bool numbered = true);

    std::optional<std::wstring> Next(const std::wstring& awaited) override;
    std::wstring Where() const override;
    bool EchoesLines() const override { return true; }

private:
    std::vector<std::wstring> lines_;
    std::wstring origin_;
    bool numbered_;
    std::size_t next_ = 0;
};

// Lines typed live (or piped) on a stream, UTF-8.
class ConsoleLines : public LineSource {
public:
    explicit ConsoleLines(std::istream& in) : in_(in) {}
    std::optional<std::wstring> Next(const std::wstring& awaited) override;
    std::wstring Where() const override;
    bool EchoesLines() const override { return false; }

private:
    std::istream& in_;
    std::size_t count_ = 0;
};

} // namespace ed
