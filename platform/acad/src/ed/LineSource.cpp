#include "ed/LineSource.h"

#include <cstdio>
#include <iostream>
#include <sstream>

#include "Utf8.h"

namespace ed {

namespace {

std::wstring WithoutCarriageReturn(std::string line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return crt::FromUtf8(line);
}

} // namespace

ScriptLines::ScriptLines(std::vector<std::wstring> lines, std::wstring origin, bool numbered)
    : lines_(std::move(lines)), origin_(std::move(origin)), numbered_(numbered) {}

std::optional<std::wstring> ScriptLines::Next(const std::wstring&) {
    if (next_ >= lines_.size())
        return std::nullopt;
    return lines_[next_++];
}

std::wstring ScriptLines::Where() const {
    if (!numbered_ || next_ == 0)
        return origin_;
    return origin_ + (origin_ == L"-c" ? L" " : L":") + std::to_wstring(next_);
}

std::optional<std::wstring> ConsoleLines::Next(const std::wstring&) {
    std::fflush(stdout);
    std::cout.flush();
    std::string line;
    if (!std::getline(in_, line))
        return std::nullopt;
    ++count_;
    return WithoutCarriageReturn(line);
}

std::wstring ConsoleLines::Where() const {
    return L"console:" + std::to_wstring(count_);
}

} // namespace ed
