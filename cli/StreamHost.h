#pragma once
// Host services on a terminal: message boxes and input boxes over standard input and
// output. A box with only an OK button prints its prompt; any other box prints its
// prompt with the choices and reads an answer line. End of input answers Cancel.

#include "scripting/core/HostServices.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace quillo::cli {

class StreamHost : public script::HostServices {
public:
    StreamHost(std::istream& in, std::ostream& out, std::ostream& err);

    int msgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                           std::u16string_view defaultText) override;
    bool userInterfaceAllowed() const override { return true; }
    // Nobody is there to answer: a run past its timeout is stopped, with a note.
    bool askStopLongRunningScript() override;

    // Writes `text` as UTF-8 and a line feed.
    void writeLine(std::u16string_view text);

private:
    // One answer line without its line ending; nullopt at end of input.
    std::optional<std::string> readLine();

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace quillo::cli
