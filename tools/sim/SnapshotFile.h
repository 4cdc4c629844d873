#pragma once

#include "media/Picture.h"
#include "tools/sim/SimOptions.h"

namespace vellix::sim {

// Throws UsageError when the snapshot's file surely cannot be written: its folder is missing or
// cannot be written in, or the name is a folder. Checked before the run, so that a bad name is
// not found only when its frame comes.
void checkSnapshotFile(const Snapshot& snapshot);

// Writes the canvas's picture as the snapshot's PNG file. Throws SnapshotError when it cannot.
void writePngSnapshot(const Snapshot& snapshot, const Picture& canvas);

}  // namespace vellix::sim
