// The one-line writer used by every listing of labelings: two blanks and the labeling's text.
#pragma once

#include "frontend/text_area.h"
#include "model/proof_labeling.h"

namespace dialectic {

void WriteLabeling(const TProofLabeling& labeling, TextArea& area);

}  // namespace dialectic
