#pragma once
// A named script with its expected console output, for table-driven tests.

#include "tests/scripting/vbscript/ScriptHarness.h"

#include <ostream>
#include <string>

namespace quillo::vbscript::testing {

struct ScriptCase {
    const char* name;
    const char* source;
    const char* output; // console lines, then "error N" when the run ends in an error
};

inline std::ostream& operator<<(std::ostream& os, const ScriptCase& c) { return os << c.name; }

inline std::string outputOf(const std::string& source)
{
    RunResult r = runScript(source);
    std::string out = r.text();
    if (r.error)
        out += "error " + std::to_string(r.error->number) + "\n";
    return out;
}

} // namespace quillo::vbscript::testing
