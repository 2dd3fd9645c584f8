// Running tolvane-cli in its tests: a stream function of the program over
// temporary files, and the built program as a whole process in a folder of
// the test's own.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "stream.h"

// What a wrong command line prints after its fault.
inline constexpr char kUsageHint[] =
    "Usage: tolvane-cli COMMAND [OPTIONS] [FILE]; 'tolvane-cli --help' lists the commands.\n";

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

struct Streamed {
    bool ok;
    std::string output;
    std::string error;
};

// Runs `stream` (one of the program's stream functions) with `options` from a
// temporary file that holds `input` into another.
template <class Stream>
Streamed StreamThrough(const CliOptions& options, const std::string& input, Stream stream) {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    EXPECT_TRUE(in && out);
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    Streamed result;
    result.ok = stream(options, in, out, &result.error);
    std::rewind(out);
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, out)) > 0) result.output.append(buffer, got);
    std::fclose(in);
    std::fclose(out);
    return result;
}

// A folder of the test's own, removed at the end, with a work folder in it
// where the program runs. Its standard streams are kept beside the work
// folder, so that the work folder holds only what the program writes there.
class CliProcessTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tolvane-cli-test-" + std::to_string(getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "work");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs tolvane-cli with `args` in the work folder, with the variables of
    // `env` set, and `input` on standard input: read from a file, or through
    // a pipe.
    int Run(const std::string& args, const std::string& input = "", const std::string& env = "",
            bool pipe = false) {
        WriteFile(dir_ / "stdin", input);
        const std::string in = "'" + (dir_ / "stdin").string() + "'";
        const std::string command = "cd '" + Work("").string() + "' && " + (pipe ? "cat " + in + " | " : "") +
                                    env + " '" TOLVANE_CLI_PATH "' " + args + (pipe ? "" : " <" + in) + " >'" +
                                    (dir_ / "stdout").string() + "' 2>'" + (dir_ / "stderr").string() + "'";
        const int status = std::system(command.c_str());
        out_ = ReadFile(dir_ / "stdout");
        err_ = ReadFile(dir_ / "stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::filesystem::path Work(const char* name) { return dir_ / "work" / name; }

    std::filesystem::path dir_;
    std::string out_;
    std::string err_;
};
