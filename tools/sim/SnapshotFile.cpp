#include "tools/sim/SnapshotFile.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tools/images/ImageFiles.h"
#include "tools/sim/Quoted.h"
#include "tools/sim/SimRun.h"

namespace vellix::sim {

void checkSnapshotFile(const Snapshot& snapshot) {
    namespace fs = std::filesystem;
    const fs::path file = snapshot.file;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const auto refuse = [&](const std::string& why) {
        return UsageError{"--snapshot " + std::to_string(snapshot.frame) + ":" + quoted(snapshot.file, 200) + ": " + why};
    };
    std::error_code error;
    if (!fs::is_directory(folder, error)) throw refuse("no such folder");
    if (::access(folder.c_str(), W_OK | X_OK) != 0) throw refuse("its folder cannot be written in");
    if (fs::is_directory(file, error)) throw refuse("a folder");
}

void writePngSnapshot(const Snapshot& snapshot, const Picture& canvas) {
    const std::vector<std::uint8_t> png = encodePng(canvas);
    std::ofstream file(snapshot.file, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    if (!file) throw SnapshotError{"cannot write the snapshot " + quoted(snapshot.file, 200)};
}

}  // namespace vellix::sim
