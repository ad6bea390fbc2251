#include "cli_run.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace tavo::testing {

namespace {

std::string Quote(const std::string& word) {
    std::string out = "'";
    for (char c : word) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args) {
    return RunCliWith({}, args);
}

CliResult RunCliWith(const std::vector<std::string>& env, const std::vector<std::string>& args) {
    static int counter = 0;
    const std::string errFile = TempDir("cli_run") + "/stderr" + std::to_string(++counter) + ".txt";
    std::string command = env.empty() ? std::string() : "env";
    for (const std::string& e : env)
        command += " " + Quote(e);
    command += (env.empty() ? "" : " ") + Quote(TAVOKIT_BINARY_DIR "/src/cli/tavokit-cli");
    for (const std::string& a : args)
        command += " " + Quote(a);
    command += " 2>" + Quote(errFile);
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream text;
    text << err.rdbuf();
    result.err = text.str();
    return result;
}

std::string TempDir(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("tavokit_test_" + std::to_string(getpid())) / name;
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string JsonField(const std::string& json, const std::string& key) {
    const std::string marker = "\"" + key + "\":";
    const std::size_t at = json.find(marker);
    if (at == std::string::npos)
        return "<missing>";
    std::size_t start = at + marker.size();
    if (json[start] == '"') {
        const std::size_t end = json.find('"', start + 1);
        return json.substr(start + 1, end - start - 1);
    }
    std::size_t end = start;
    if (json[start] == '{') {
        end = json.find('}', start);
        return end == std::string::npos ? "<bad>" : json.substr(start, end - start + 1);
    }
    while (end < json.size() && json[end] != ',' && json[end] != '}')
        ++end;
    return json.substr(start, end - start);
}

} // namespace tavo::testing
