#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vellix::testing {

// What a file holds, such as what a program left in one.
inline std::string readFile(const std::filesystem::path& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

// A program started by a test, with its own environment changes and its stderr in a file. It is
// killed if the test leaves it running.
class Process {
public:
    // `environment`: "NAME=value" to set, or "NAME" to remove.
    Process(const std::string& program, const std::vector<std::string>& environment, const std::string& stderrFile,
            std::vector<std::string> args = {}, const std::string& workingDirectory = "") {
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
        for (const std::string& change : environment) {
            const std::string name = change.substr(0, change.find('=')) + "=";
            std::erase_if(env, [&](const std::string& e) { return e.starts_with(name); });
            if (change.find('=') != std::string::npos) env.push_back(change);
        }
        args.insert(args.begin(), program);
        std::vector<char*> argv, envp;
        for (std::string& a : args) argv.push_back(a.data());
        for (std::string& e : env) envp.push_back(e.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (!workingDirectory.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Process() {
        if (pid_ > 0 && !status_ && kill(pid_, SIGKILL) == 0) waitpid(pid_, nullptr, 0);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // The exit status once the program has ended, or nothing if it is still running after `limit`.
    std::optional<int> waitForExit(std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        for (int raw = 0; !status_;) {
            if (waitpid(pid_, &raw, WNOHANG) == pid_) status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            else if (std::chrono::steady_clock::now() >= until) break;
            else std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return status_;
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

}  // namespace vellix::testing
