// Developer tool: runs a .vbs file through the test harness and prints its console
// output, then the error (if any) as FILE(LINE, COLUMN) NUMBER: DESCRIPTION.
#include "scripting/core/Text.h"
#include "tests/scripting/vbscript/ScriptHarness.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: vbs-try FILE.vbs\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    auto r = quillo::vbscript::testing::runScript(ss.str());
    std::cout << r.text();
    if (r.error) {
        std::cerr << argv[1] << "(" << r.error->line << ", " << r.error->column << ") " << r.error->number << ": "
                  << quillo::script::toUtf8(r.error->hostDescription()) << "\n";
        return 1;
    }
    return 0;
}
