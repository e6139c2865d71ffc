#include "frontend/write_labeling.h"

namespace dialectic {

void WriteLabeling(const TProofLabeling& labeling, TextArea& area) {
  area.Add("  " + LabelingText(labeling));
}

}  // namespace dialectic
