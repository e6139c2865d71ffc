#include "app/window/wrapped_line.h"

#include <QTextLayout>
#include <algorithm>
#include <utility>

namespace dialectic {

namespace {

// Laying out a segment of this many characters takes well under a millisecond; a blank within the
// last eighth of it ends the segment, so that the cut falls where a row would wrap anyway.
constexpr int kSegmentLength = 4096;
constexpr int kBlankSearch = kSegmentLength / 8;

}  // namespace

WrappedLine::WrappedLine(QString text, const QFont& font, qreal width, int row_height)
    : text_(std::move(text)), font_(font), width_(width), row_height_(row_height) {
  const int length = Length();
  starts_.push_back(0);
  while (length - starts_.back() > kSegmentLength) {
    int cut = starts_.back() + kSegmentLength;
    for (int at = cut; at > cut - kBlankSearch; --at) {
      if (text_[at - 1] == QLatin1Char(' ')) {
        cut = at;
        break;
      }
    }
    // Never between the two halves of a surrogate pair.
    if (text_[cut - 1].isHighSurrogate()) --cut;
    starts_.push_back(cut);
  }
  layouts_.resize(starts_.size());
}

WrappedLine::~WrappedLine() = default;

int WrappedLine::SegmentEnd(int segment) const {
  return segment + 1 < SegmentCount() ? SegmentStart(segment + 1) : Length();
}

int WrappedLine::SegmentOf(int column) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), column);
  return static_cast<int>(after - starts_.begin()) - 1;
}

const QTextLayout& WrappedLine::Layout(int segment) const {
  std::unique_ptr<QTextLayout>& layout = layouts_[static_cast<std::size_t>(segment)];
  if (layout != nullptr) return *layout;
  const int start = SegmentStart(segment);
  layout = std::make_unique<QTextLayout>(text_.mid(start, SegmentEnd(segment) - start), font_);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout->setTextOption(option);
  layout->setCacheEnabled(true);
  layout->beginLayout();
  for (int row = 0;; ++row) {
    QTextLine text_line = layout->createLine();
    if (!text_line.isValid()) break;
    text_line.setLineWidth(width_);
    text_line.setPosition(QPointF(0, row * row_height_));
  }
  layout->endLayout();
  return *layout;
}

int WrappedLine::RowCount(int segment) const { return std::max(1, Layout(segment).lineCount()); }

}  // namespace dialectic
