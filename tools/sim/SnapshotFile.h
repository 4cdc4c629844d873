#pragma once

#include "media/Picture.h"
#include "tools/sim/SimOptions.h"

namespace vellix::sim {

#include <string>

// Why the snapshot's file surely cannot be written ("" when it may be): its folder is missing or
// cannot be written in, or the name is a folder. Checked before the run, so that a bad name is
// not found only when its frame comes.
std::string checkSnapshotFile(const Snapshot& snapshot);

// Writes the canvas's picture as the snapshot's PNG file (an empty field as one transparent pixel).
// Returns why it could not, or "".
std::string writePngSnapshot(const Snapshot& snapshot, const Picture& canvas);

}  // namespace vellix::sim
