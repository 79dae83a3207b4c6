#include "bench/harness/ProcessTimer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quillo::bench {

namespace {

// A temporary file that is unlinked at once; the descriptor keeps it alive.
int anonymousFile()
{
    char name[] = "/tmp/quillo-bench-XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0)
        unlink(name);
    return fd;
}

std::string readAll(int fd)
{
    std::string text;
    lseek(fd, 0, SEEK_SET);
    char buffer[65536];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(n));
    return text;
}

} // namespace

RunResult runOnce(const Command& command)
{
    RunResult result;
    int out = anonymousFile();
    int err = anonymousFile();
    if (out < 0 || err < 0) {
        result.problem = "cannot create a temporary file";
        if (out >= 0)
            close(out);
        if (err >= 0)
            close(err);
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(command.program.c_str()));
    for (const std::string& arg : command.args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, command.program.c_str(), &actions, nullptr, argv.data(), environ);
    int status = 0;
    if (spawned == 0)
        waitpid(pid, &status, 0);
    const auto stop = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);

    result.seconds = std::chrono::duration<double>(stop - start).count();
    result.output = readAll(out);
    std::string errors = readAll(err);
    close(out);
    close(err);

    if (spawned != 0) {
        result.problem = "cannot start " + command.program;
    } else if (WIFSIGNALED(status)) {
        result.problem = "killed by signal " + std::to_string(WTERMSIG(status));
    } else if (WEXITSTATUS(status) != 0) {
        result.problem = "exit status " + std::to_string(WEXITSTATUS(status));
        if (!errors.empty())
            result.problem += ": " + errors.substr(0, errors.find('\n'));
    } else {
        result.ok = true;
    }
    return result;
}

bool findProgram(const std::string& program, std::string& found)
{
    auto executable = [](const std::string& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
    };
    if (program.find('/') != std::string::npos) {
        found = program;
        return executable(program);
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        if (executable(candidate)) {
            found = candidate;
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace quillo::bench
