#include "tools/sim/SnapshotFile.h"

#include <fstream>

#include "tools/images/ImageFiles.h"
#include "tools/sim/SimRun.h"

namespace vellix::sim {

void writePngSnapshot(const Snapshot& snapshot, const Picture& canvas) {
    const std::vector<std::uint8_t> png = encodePng(canvas);
    std::ofstream file(snapshot.file, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    if (!file) throw SnapshotError{"cannot write the snapshot " + snapshot.file};
}

}  // namespace vellix::sim
