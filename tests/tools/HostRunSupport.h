// Runs a shell command (the host process, for the job tests) and collects its exit code and
// its standard output and error.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace hostrun {

struct HostRun {
    int exitCode = -1;
    std::string output; // standard output and standard error
};

// The command runs through the shell; append " 2>&1" to collect standard error too.
inline HostRun runCommand(const std::string& command) {
    HostRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        run.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace hostrun
