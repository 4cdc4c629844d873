#pragma once

#include "media/Picture.h"
#include "tools/sim/SimOptions.h"

namespace vellix::sim {

// Writes the canvas's picture as the snapshot's PNG file. Throws SnapshotError when it cannot.
void writePngSnapshot(const Snapshot& snapshot, const Picture& canvas);

}  // namespace vellix::sim
