#include "tools/xmwriter/xmmodule.h"

#include <stdexcept>

namespace xm {

Pattern::Pattern(int rows, int channels) : rows_(rows), channels_(channels) {
  if (rows < 1 || rows > 256) throw std::invalid_argument("a pattern has 1 to 256 rows");
  if (channels < 1 || channels > kMaxChannels) throw std::invalid_argument("a pattern has 1 to 32 channels");
  cells_.resize(static_cast<size_t>(rows) * static_cast<size_t>(channels));
}

Cell& Pattern::At(int row, int channel) {
  return const_cast<Cell&>(static_cast<const Pattern&>(*this).At(row, channel));
}

const Cell& Pattern::At(int row, int channel) const {
  if (row < 0 || row >= rows_ || channel < 0 || channel >= channels_) {
    throw std::out_of_range("cell outside the pattern");
  }
  return cells_[static_cast<size_t>(row) * static_cast<size_t>(channels_) + static_cast<size_t>(channel)];
}

}  // namespace xm
