#pragma once

// The golden run of vellix-sim and how a run that differs from it is described: where the trace
// first differs (the golden picture is kept beside it, to be looked at).

#include <zlib.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/images/ImageFiles.h"

namespace vellix::sim {

inline const std::string kGoldenTrace = VELLIX_SOURCE_DIR "/tests/sim/golden-trace.jsonl.gz";
inline const std::string kGoldenPicture = VELLIX_SOURCE_DIR "/tests/sim/golden-2500.png";

inline std::string readGzip(const std::string& path) {
    std::string text;
    gzFile file = gzopen(path.c_str(), "rb");
    if (file == nullptr) return text;
    char buffer[1 << 16];
    for (int got; (got = gzread(file, buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(got));
    gzclose(file);
    return text;
}

inline void writeGzip(const std::string& path, const std::string& text) {
    gzFile file = gzopen(path.c_str(), "wb9");
    if (file == nullptr) return;
    gzwrite(file, text.data(), unsigned(text.size()));
    gzclose(file);
}

// Where `actual` first leaves `expected`: the frame, the field and both lines from there on.
inline std::string firstDifference(const std::string& expected, const std::string& actual) {
    if (expected.empty()) return "(no golden trace at " + kGoldenTrace + ")";
    std::istringstream wanted(expected), got(actual);
    std::string a, b;
    for (long frame = 1;; ++frame) {
        const bool moreWanted = bool(std::getline(wanted, a)), moreGot = bool(std::getline(got, b));
        if (!moreWanted && !moreGot) return "the traces are the same: only the hash above is out of date";
        if (a == b) continue;
        if (!moreWanted || !moreGot) return "the trace ends at frame " + std::to_string(frame - (moreGot ? 0 : 1));
        std::size_t at = 0;
        while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
        return "frame " + std::to_string(frame) + " differs first at:\n  golden: " + a.substr(at, 160) +
               "\n  now:    " + b.substr(at, 160);
    }
}

}  // namespace vellix::sim
