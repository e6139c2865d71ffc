// The input lines of a generated framework, for File > New Random Framework: the framework
// written in the line syntax, exactly as `dialectic-cli --generate` writes it.
#pragma once

#include "formats/generators.h"
#include "model/string_list.h"

namespace dialectic {

// The lines of the theory of a specification that GeneratorSpecError accepts.
StringList GeneratedTheoryLines(const GeneratorSpec& spec);

// The specification that the dialog offers after this one: the same kind, size and parameters
// with the next seed, so that asking again gives another framework of the same shape.
GeneratorSpec NextGeneratorSpec(const GeneratorSpec& spec);

// The specification that the dialog offers first: a small Erdős–Rényi framework.
GeneratorSpec FirstGeneratorSpec();

}  // namespace dialectic
