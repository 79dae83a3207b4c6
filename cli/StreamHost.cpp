#include "cli/StreamHost.h"

#include "scripting/core/Text.h"

#include <algorithm>
#include <array>
#include <istream>
#include <ostream>
#include <span>

namespace quillo::cli {

using namespace quillo::script;

namespace {

struct Button {
    const char* name;
    int result;
};

// The buttons of MsgBox styles 0-5, left to right.
std::span<const Button> buttonsOf(int style)
{
    static constexpr Button ok[] = {{"OK", vbOK}};
    static constexpr Button okCancel[] = {{"OK", vbOK}, {"Cancel", vbCancel}};
    static constexpr Button abortRetryIgnore[] = {{"Abort", vbAbort}, {"Retry", vbRetry}, {"Ignore", vbIgnore}};
    static constexpr Button yesNoCancel[] = {{"Yes", vbYes}, {"No", vbNo}, {"Cancel", vbCancel}};
    static constexpr Button yesNo[] = {{"Yes", vbYes}, {"No", vbNo}};
    static constexpr Button retryCancel[] = {{"Retry", vbRetry}, {"Cancel", vbCancel}};
    switch (style & 0xF) {
    case 1: return okCancel;
    case 2: return abortRetryIgnore;
    case 3: return yesNoCancel;
    case 4: return yesNo;
    case 5: return retryCancel;
    default: return ok;
    }
}

// What closing the box gives: Cancel where there is one, else the last button
// (No for Yes/No, Ignore for Abort/Retry/Ignore).
int closeAnswer(std::span<const Button> buttons)
{
    for (const Button& b : buttons) {
        if (b.result == vbCancel)
            return vbCancel;
    }
    return buttons.back().result;
}

std::string lowered(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return out;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A button by its name, its first letter or its result number; 0 when none fits.
int answerFor(std::span<const Button> buttons, std::string_view line)
{
    const std::string answer = lowered(trimmed(line));
    for (const Button& b : buttons) {
        const std::string name = lowered(b.name);
        if (answer == name || answer == std::string(1, name[0]) || answer == std::to_string(b.result))
            return b.result;
    }
    return 0;
}

} // namespace

StreamHost::StreamHost(std::istream& in, std::ostream& out, std::ostream& err) : in_(in), out_(out), err_(err) {}

void StreamHost::writeLine(std::u16string_view text)
{
    out_ << toUtf8(text) << '\n';
}

std::optional<std::string> StreamHost::readLine()
{
    out_.flush();
    std::string line;
    if (!std::getline(in_, line))
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

int StreamHost::msgBox(std::u16string_view prompt, int style, std::u16string_view)
{
    HostDialogScope dialog;
    const std::span<const Button> buttons = buttonsOf(style);
    if (buttons.size() == 1) {
        writeLine(prompt);
        return vbOK;
    }
    std::string choices;
    for (const Button& b : buttons)
        choices += std::string(choices.empty() ? "" : "/") + b.name;
    const size_t defaultIndex = std::min<size_t>(size_t((style >> 8) & 0x3), buttons.size() - 1);
    for (;;) {
        out_ << toUtf8(prompt) << " [" << choices << "]\n";
        std::optional<std::string> line = readLine();
        if (!line)
            return closeAnswer(buttons);
        if (trimmed(*line).empty())
            return buttons[defaultIndex].result;
        if (int result = answerFor(buttons, *line))
            return result;
    }
}

std::optional<std::u16string> StreamHost::inputBox(std::u16string_view prompt, std::u16string_view,
                                                   std::u16string_view defaultText)
{
    HostDialogScope dialog;
    if (defaultText.empty())
        writeLine(prompt);
    else
        out_ << toUtf8(prompt) << " [" << toUtf8(defaultText) << "]\n";
    std::optional<std::string> line = readLine();
    if (!line)
        return std::nullopt;
    if (line->empty())
        return std::u16string(defaultText);
    return fromUtf8(*line);
}

bool StreamHost::askStopLongRunningScript()
{
    out_.flush();
    err_ << "quillo-run: the script ran past its timeout and was stopped\n";
    return true;
}

} // namespace quillo::cli
