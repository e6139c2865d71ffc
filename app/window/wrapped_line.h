// One line of text wrapped into rows at a given width, for the line view. A long line is cut into
// segments of at most a few thousand characters, each ending after a blank where there is one
// near its end, and a segment is laid out only when first needed: a line of a megabyte costs no
// more to show than the part of it on screen. A segment always starts a new row; positions are
// columns of the whole line (UTF-16 units), and a column where two segments meet belongs to the
// later one.
#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <vector>

class QTextLayout;

namespace dialectic {

class WrappedLine {
 public:
  WrappedLine(QString text, const QFont& font, qreal width, int row_height);
  ~WrappedLine();
  WrappedLine(const WrappedLine&) = delete;
  WrappedLine& operator=(const WrappedLine&) = delete;

  const QString& Text() const { return text_; }
  int Length() const { return static_cast<int>(text_.size()); }

  int SegmentCount() const { return static_cast<int>(starts_.size()); }
  int SegmentStart(int segment) const { return starts_[static_cast<std::size_t>(segment)]; }
  int SegmentEnd(int segment) const;
  int SegmentOf(int column) const;
  // The segment's text laid out in rows, each row_height high from 0 down.
  const QTextLayout& Layout(int segment) const;
  // At least one: an empty line has a row.
  int RowCount(int segment) const;

 private:
  QString text_;
  QFont font_;
  qreal width_;
  int row_height_;
  std::vector<int> starts_;  // where each segment starts; the first at 0
  mutable std::vector<std::unique_ptr<QTextLayout>> layouts_;  // laid out on first use
};

}  // namespace dialectic
