#pragma once
// quillo-run's arguments: FILE... with --language, --timeout, --help and --version.

#include "scripting/control/ScriptLanguage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillo::cli {

struct Options {
    bool help = false;
    bool version = false;
    std::optional<script::ScriptLanguage> language; // from the first file's extension when unset
    int64_t timeoutMs = -1;                         // no timeout unless given
    std::vector<std::string> files;
};

struct ParseResult {
    Options options;
    std::string error; // non-empty for bad usage
};

ParseResult parseCommandLine(const std::vector<std::string>& args);

// ".vbs" -> VBScript, ".js" -> JScript (any letter case); nullopt otherwise.
std::optional<script::ScriptLanguage> languageFromPath(const std::string& path);

std::string usageText();
std::string versionText();

} // namespace quillo::cli
