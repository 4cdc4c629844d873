#include "tools/sim/SnapshotFile.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tools/images/ImageFiles.h"
#include "tools/sim/Quoted.h"

namespace vellix::sim {

std::string checkSnapshotFile(const Snapshot& snapshot) {
    namespace fs = std::filesystem;
    const fs::path file = snapshot.file;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const auto refuse = [&](const std::string& why) {
        return "--snapshot " + std::to_string(snapshot.frame) + ":" + quoted(snapshot.file, 200) + ": " + why;
    };
    std::error_code error;
    if (!fs::is_directory(folder, error)) return refuse("no such folder");
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return refuse("its folder cannot be written in");
    if (fs::is_directory(file, error)) return refuse("a folder");
    return "";
}

// A PNG file holds at least one pixel: a field of no width or no height is written as one
// transparent pixel, the picture of nothing.
std::string writePngSnapshot(const Snapshot& snapshot, const Picture& canvas) {
    std::vector<std::uint8_t> png;
    try {
        png = canvas.empty() ? encodePng(Picture(1, 1, 0), true) : encodePng(canvas);
    } catch (const ImageFileError& error) {
        return "cannot write the snapshot " + quoted(snapshot.file, 200) + ": " + error.what();
    }
    std::ofstream file(snapshot.file, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    if (!file) return "cannot write the snapshot " + quoted(snapshot.file, 200);
    return "";
}

}  // namespace vellix::sim
