#include "cli/Runner.h"

#include "cli/HostObjects.h"
#include "cli/SourceFile.h"
#include "cli/StreamHost.h"
#include "scripting/control/ScriptControl.h"
#include "scripting/core/Text.h"

#include <ostream>

namespace quillo::cli {

using namespace quillo::script;

namespace {

// FILE(LINE, COLUMN) NUMBER: DESCRIPTION
void reportError(std::ostream& err, const std::string& file, const ScriptControlError& e)
{
    err << file << '(' << e.line << ", " << e.column << ") " << e.number << ": " << toUtf8(e.description) << '\n';
}

} // namespace

int runScripts(const Options& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::vector<std::u16string> sources;
    for (const std::string& file : options.files) {
        std::string problem;
        std::optional<std::u16string> text = readScriptFile(file, problem);
        if (!text) {
            err << "quillo-run: cannot read '" << file << "': " << problem << '\n';
            return kExitUsage;
        }
        sources.push_back(std::move(*text));
    }

    StreamHost host(in, out, err);
    ScriptControl control(host);
    control.setLanguage(languageName(*options.language));
    control.setTimeout(options.timeoutMs);
    // As the editor does: the host objects' members are global names too.
    control.addObject(u"console", makeConsole(host), true);
    control.addObject(u"navigator", makeNavigator(), true);
    control.addObject(u"window", makeWindow(host), true);

    const std::string* current = nullptr;
    control.setErrorHandler([&] {
        out.flush();
        reportError(err, *current, control.error());
    });
    for (size_t i = 0; i < sources.size(); ++i) {
        current = &options.files[i];
        if (!control.addCode(sources[i])) {
            out.flush();
            return kExitScriptError;
        }
    }
    out.flush();
    return kExitSuccess;
}

int runCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    ParseResult parsed = parseCommandLine(args);
    if (!parsed.error.empty()) {
        err << "quillo-run: " << parsed.error << "\nTry 'quillo-run --help'.\n";
        return kExitUsage;
    }
    if (parsed.options.help) {
        out << usageText();
        return kExitSuccess;
    }
    if (parsed.options.version) {
        out << versionText();
        return kExitSuccess;
    }
    return runScripts(parsed.options, in, out, err);
}

} // namespace quillo::cli
