#include "tools/sim/TraceFile.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>


namespace vellix::sim {

namespace {

// Whether the name holds something other than a plain file, which must be written in place.
bool isSpecial(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

}  // namespace

TraceFile::TraceFile(const std::string& path)
    : path_(path), writing_(isSpecial(path) ? path : path + ".partial-" + std::to_string(getpid())) {
    out_.open(writing_, std::ios::trunc);
}

TraceFile::~TraceFile() {
    if (!kept_ && writing_ != path_) std::remove(writing_.c_str());
}

bool TraceFile::keep() {
    out_.close();
    kept_ = !out_.fail() && (writing_ == path_ || std::rename(writing_.c_str(), path_.c_str()) == 0);
    return kept_;
}

}  // namespace vellix::sim
