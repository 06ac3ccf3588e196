// Runs the built quorvane-cli as a person or a script would and captures
// stdout, stderr and the exit status.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>

#include "windows_process.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorvane::test {

#ifdef _WIN32
using CliRun = ProgramRun;
#else
struct CliRun {
    std::string out;
    std::string err;
    int status;
};
#endif

inline std::string shellQuoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

#ifdef _WIN32

// Runs the program with `args` and the variables `env` sets; `input` (if
// any) is its standard input.
inline CliRun cli(const std::vector<std::string>& args, const std::string& env = "LC_ALL=C",
                  const std::string& input = {}) {
    return runProgram(QUORVANE_CLI, args, env, input);
}

#else

// Runs the program with `args` in the C locale unless `env` says otherwise.
// `input` (if any) is its standard input.
inline CliRun cli(const std::vector<std::string>& args, const std::string& env = "LC_ALL=C",
                  const std::string& input = {}) {
    // Tests run in parallel processes: each run has a file of its own.
    std::string errPath = ::testing::TempDir() + "quorvane_cli_XXXXXX";
    const int fd = mkstemp(errPath.data());
    if (fd < 0) return {"", "mkstemp failed", -1};
    close(fd);
    std::string command = "env " + env + " " + shellQuoted(QUORVANE_CLI);
    for (const std::string& arg : args) command += " " + shellQuoted(arg);
    std::string inPath;
    if (!input.empty()) {
        inPath = ::testing::TempDir() + "quorvane_cli_in_XXXXXX";
        const int in = mkstemp(inPath.data());
        if (in < 0) return {"", "mkstemp failed", -1};
        close(in);
        std::ofstream(inPath, std::ios::binary) << input;
    }
    command += " 2>" + shellQuoted(errPath) + " <" + (input.empty() ? "/dev/null" : shellQuoted(inPath));
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {"", "popen failed", -1};
    std::array<char, 4096> chunk;
    for (std::size_t n; (n = fread(chunk.data(), 1, chunk.size(), pipe)) > 0;)
        run.out.append(chunk.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = slurp(errPath);
    std::remove(errPath.c_str());
    if (!inPath.empty()) std::remove(inPath.c_str());
    return run;
}

#endif

// One command line and what it must print: the whole of stdout and stderr
// and the exit status, in the C locale.
struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    std::string err;
    int status;
};

// Failure output and test names show the case's name, not its bytes.
inline void PrintTo(const CliCase& c, std::ostream* out) { *out << c.name; }

inline void expectRun(const CliCase& c) {
    const CliRun run = cli(c.args);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, c.status);
}

inline std::string caseName(const ::testing::TestParamInfo<CliCase>& info) {
    return info.param.name;
}

}  // namespace quorvane::test
