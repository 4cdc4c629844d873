#pragma once

#include <fstream>
#include <string>

namespace vellix::sim {

// The file a trace goes to. It takes its name only once the run has succeeded: until then it is
// written under a temporary name beside it, removed if the run fails, so that a failed run leaves
// no trace behind, nor a part of one in place of an older trace. A name that is not a plain file
// (/dev/null, a FIFO, a link) is written to directly, and never renamed over or removed.
class TraceFile {
public:
    explicit TraceFile(const std::string& path);
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    // False when the file cannot be written.
    bool opened() const { return out_.is_open(); }
    std::ostream& stream() { return out_; }

    // Writes out the rest and gives the file its name. False when it could not.
    bool keep();

private:
    std::string path_;
    std::string writing_;  // the name it has until it is kept
    std::ofstream out_;
    bool kept_ = false;
};

}  // namespace vellix::sim
