#include "ed/HostCommands.h"

#include <cmath>

#include <aced.h>

#include "ed/DrawingLink.h"
#include "ed/EditorInput.h"
#include "ed/SystemVariables.h"

namespace ed {

namespace {

std::wstring NumberText(double value) {
    std::wstring text = crt::Format(L"%.6f", value);
    text.erase(text.find_last_not_of(L'0') + 1);
    if (!text.empty() && text.back() == L'.')
        text.pop_back();
    return text;
}

// Hands out a command's answers: first those of the acedCommand list, then lines of the input.
// Prompts and list answers show on the command line only while CMDECHO is on.
class Answers {
public:
    explicit Answers(const std::vector<CommandAnswer>& list) : list_(list) {
        auto echo = SysVars().Get(L"CMDECHO");
        echo_ = !echo || echo->number != 0;
    }

    // Nothing when cancelled or when no answer will come.
    std::optional<CommandAnswer> Next(const std::wstring& prompt) {
        if (next_ < list_.size()) {
            const CommandAnswer& answer = list_[next_++];
            if (echo_)
                Input().Print(L"\n" + prompt + L" " + Shown(answer));
            return answer;
        }
        Input().Print(L"\n" + prompt + L" ");
        std::optional<ScriptLine> line = Input().Await(TrimmedText(prompt));
        if (!line || (line->Size() == 1 && (line->Is(0, L"CANCEL") || line->Is(0, L"ESC"))))
            return std::nullopt;
        CommandAnswer typed;
        typed.type = RTSTR;
        typed.text = line->Size() == 1 ? (*line)[0].text : line->Text();
        return typed;
    }

private:
    static std::wstring Shown(const CommandAnswer& answer) {
        switch (answer.type) {
        case RTSTR:
            return answer.text;
        case RTPOINT:
        case RT3DPOINT:
            return NumberText(answer.point.x) + L"," + NumberText(answer.point.y) + L"," +
                   NumberText(answer.point.z);
        default:
            return NumberText(answer.real);
        }
    }

    const std::vector<CommandAnswer>& list_;
    std::size_t next_ = 0;
    bool echo_ = true;
};

std::optional<Point3> AsPoint(const CommandAnswer& answer) {
    if (answer.type == RTPOINT || answer.type == RT3DPOINT)
        return answer.point;
    if (answer.type == RTSTR)
        return ParsePoint(answer.text);
    return std::nullopt;
}

// A number; an empty text takes `fallback`.
std::optional<double> AsNumber(const CommandAnswer& answer, double fallback) {
    if (answer.type == RTSTR)
        return answer.text.empty() ? std::optional<double>(fallback) : ParseNumber(answer.text);
    if (answer.type == RTREAL || answer.type == RTANG || answer.type == RTSHORT)
        return answer.real;
    return std::nullopt;
}

int Refuse(const std::wstring& message) {
    Input().Print(L"\n" + message + L"\n");
    return RTERROR;
}

int Insert(Answers& answers) {
    DrawingLink* drawing = Drawing();
    if (!drawing)
        return Refuse(L"No drawing is open.");
    InsertRequest request;
    auto name = answers.Next(L"Enter block name:");
    if (!name)
        return RTCAN;
    if (name->type != RTSTR || name->text.empty())
        return Refuse(L"Invalid block name.");
    request.blockName = name->text;
    auto definitions = drawing->BlockAttributes(request.blockName);
    if (!definitions)
        return Refuse(L"Block \"" + request.blockName + L"\" not found.");

    auto point = answers.Next(L"Specify insertion point:");
    if (!point)
        return RTCAN;
    auto position = AsPoint(*point);
    if (!position)
        return Refuse(L"Invalid point.");
    request.position = *position;

    auto x = answers.Next(L"Enter X scale factor <1>:");
    if (!x)
        return RTCAN;
    auto scaleX = AsNumber(*x, 1.0);
    if (!scaleX || *scaleX == 0)
        return Refuse(L"Invalid scale factor.");
    auto y = answers.Next(L"Enter Y scale factor <use X scale factor>:");
    if (!y)
        return RTCAN;
    auto scaleY = AsNumber(*y, *scaleX);
    if (!scaleY || *scaleY == 0)
        return Refuse(L"Invalid scale factor.");
    auto rotation = answers.Next(L"Specify rotation angle <0>:");
    if (!rotation)
        return RTCAN;
    auto degrees = AsNumber(*rotation, 0.0);
    if (!degrees)
        return Refuse(L"Invalid angle.");
    request.scaleX = *scaleX;
    request.scaleY = *scaleY;
    request.rotationDegrees = *degrees;

    auto attreq = SysVars().Get(L"ATTREQ");
    bool ask = attreq && attreq->number != 0;
    for (const auto& definition : *definitions) {
        if (definition.constant)
            continue;
        std::wstring value = definition.defaultValue;
        if (ask) {
            std::wstring prompt = definition.prompt.empty() ? definition.tag : definition.prompt;
            auto answer = answers.Next(prompt + L" <" + definition.defaultValue + L">:");
            if (!answer)
                return RTCAN;
            if (answer->type == RTSTR && !answer->text.empty())
                value = answer->text;
        }
        request.attributeValues.push_back(value);
    }
    std::wstring error;
    if (!drawing->Insert(request, error))
        return Refuse(L"INSERT failed: " + error);
    return RTNORM;
}

} // namespace

int RunHostCommand(const std::vector<CommandAnswer>& list) {
    if (list.empty() || list[0].type != RTSTR)
        return RTERROR;
    // ".INSERT" is the built-in command even when redefined; "_INSERT" its English name.
    std::wstring name = list[0].text;
    while (!name.empty() && (name[0] == L'.' || name[0] == L'_'))
        name.erase(0, 1);
    std::vector<CommandAnswer> rest(list.begin() + 1, list.end());
    Answers answers(rest);
    if (_wcsicmp(name.c_str(), L"INSERT") == 0)
        return Insert(answers);
    Input().Print(L"\nUnknown command \"" + list[0].text + L"\".  Press F1 for help.\n");
    return RTERROR;
}

} // namespace ed
