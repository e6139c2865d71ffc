// The run as one JSON document, for scripts: the theory, the grounded labeling, every argument's
// proof and refutation options with the stage that found them, the preferred extensions as the
// extensions area lists them, every limit the run reached, the check when there was one, and the
// times. It is written from the run's values, never from the text areas' words. Names are the
// theory's, without their ending blank, as JSON strings (see JsonName for bytes that are not
// UTF-8); they appear in the theory's argument list and where one argument is meant ("argument").
// Labelings and attacks refer to arguments by their index into that list.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "check/run_check.h"
#include "frontend/result_areas.h"
#include "frontend/run.h"
#include "model/theory.h"
#include "semantics/run_outcome.h"

namespace dialectic {

// What a JSON document of a run is made from: the run's settings, theory, outcome and areas (the
// extensions area for the listed extensions), whether it ran to its end, and its check, if any.
struct RunJsonInput {
  const RunSettings& settings;
  const TTheory& theory;
  const RunOutcome& outcome;
  const ResultAreas& areas;
  bool completed = true;
  const CheckReport* check = nullptr;
};

nlohmann::ordered_json RunJson(const RunJsonInput& run);

// Writes RunJson's document, dumped on one line and followed by a line break, without holding
// the whole document: its long lists (the options, the preferred extensions) are dumped element
// by element. Throws nlohmann's type_error where a name is not valid UTF-8, which JsonName
// rules out.
void WriteRunJson(const RunJsonInput& run, std::ostream& out);

}  // namespace dialectic
