#include "game/MessageLog.h"

namespace vellix {

void MessageLog::showMessage(std::string text) {
    for (int i = kLines - 1; i >= 1; --i) lines_[std::size_t(i)] = std::move(lines_[std::size_t(i - 1)]);
    lines_[0] = std::move(text);
}

}  // namespace vellix
