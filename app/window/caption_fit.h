// Fitting captions into the fixed boxes of the window. The boxes were laid out for a narrower font
// than the window's, so a caption may need more room than its box gives. A one-line label grows to
// the right, where nothing stands; a wrapped label or a radio item keeps its box, which its
// neighbours bound, and narrows its font (never below 70% of its width) until the caption fits.
#pragma once

class QAbstractButton;
class QLabel;

namespace dialectic {

// Makes the label show its whole caption. Returns whether it does.
bool FitLabelCaption(QLabel& label);

// Narrows the button's font until its caption fits its width. Returns whether it does.
bool FitButtonCaption(QAbstractButton& button);

}  // namespace dialectic
