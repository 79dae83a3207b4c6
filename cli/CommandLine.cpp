#include "cli/CommandLine.h"

#include "scripting/core/ProductInfo.h"
#include "scripting/core/Text.h"

#include <charconv>

namespace quillo::cli {

using script::ScriptLanguage;

namespace {

std::string lowered(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

std::optional<ScriptLanguage> languageFromOption(const std::string& value)
{
    const std::string name = lowered(value);
    if (name == "vbscript" || name == "vbs")
        return ScriptLanguage::VBScript;
    if (name == "jscript" || name == "js" || name == "javascript")
        return ScriptLanguage::JScript;
    return std::nullopt;
}

} // namespace

std::optional<ScriptLanguage> languageFromPath(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    const std::string extension = lowered(path.substr(dot + 1));
    if (extension == "vbs")
        return ScriptLanguage::VBScript;
    if (extension == "js")
        return ScriptLanguage::JScript;
    return std::nullopt;
}

ParseResult parseCommandLine(const std::vector<std::string>& args)
{
    ParseResult result;
    Options& o = result.options;
    bool filesOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (filesOnly || arg.empty() || arg[0] != '-' || arg == "-") {
            o.files.push_back(arg);
            continue;
        }
        std::string name = arg, value;
        bool hasValue = false;
        if (const size_t eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= args.size())
                return false;
            value = args[++i];
            return true;
        };
        if (name == "--") {
            filesOnly = true;
        } else if (name == "--help" || name == "-h") {
            o.help = true;
        } else if (name == "--version") {
            o.version = true;
        } else if (name == "--language" || name == "-l") {
            if (!takeValue())
                return {o, "--language needs a value: vbscript or jscript"};
            o.language = languageFromOption(value);
            if (!o.language)
                return {o, "unknown language '" + value + "': use vbscript or jscript"};
        } else if (name == "--timeout") {
            if (!takeValue())
                return {o, "--timeout needs a number of milliseconds"};
            int64_t ms = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
            if (ec != std::errc() || end != value.data() + value.size() || ms <= 0)
                return {o, "--timeout needs a positive number of milliseconds, not '" + value + "'"};
            o.timeoutMs = ms;
        } else {
            return {o, "unknown option '" + arg + "'"};
        }
    }
    if (o.help || o.version)
        return result;
    if (o.files.empty())
        return {o, "no script file given"};
    if (!o.language) {
        o.language = languageFromPath(o.files.front());
        if (!o.language)
            return {o, "cannot tell the language of '" + o.files.front() +
                           "' from its extension: use --language vbscript or --language jscript"};
    }
    return result;
}

std::string usageText()
{
    return "Usage: quillo-run [OPTION]... FILE...\n"
           "Runs VBScript (.vbs) and JScript (.js) files in one engine, in order.\n"
           "\n"
           "  -l, --language LANG  vbscript or jscript (default: from the first file's extension)\n"
           "      --timeout MS     stop a run after MS milliseconds of script time\n"
           "  -h, --help           show this help and exit\n"
           "      --version        show the version and exit\n"
           "\n"
           "The scripts find console (log), window (alert, confirm, prompt) and navigator;\n"
           "their members are also global names. console.log and alert write to standard\n"
           "output; confirm, prompt, MsgBox and InputBox read an answer line from standard\n"
           "input (end of input answers Cancel). Errors go to standard error as\n"
           "FILE(LINE, COLUMN) NUMBER: DESCRIPTION.\n"
           "\n"
           "Exit status: 0 on success, 1 on a script error, 2 on bad usage.\n";
}

std::string versionText()
{
    return "quillo-run (" + std::string(product::Title) + ") " + std::string(product::Version) + "\n";
}

} // namespace quillo::cli
