// The input lines of a generated framework, for File > New Random Framework: the framework
// written in the line syntax, exactly as `dialectic-cli --generate` writes it.
#pragma once

#include "formats/generators.h"
#include "model/string_list.h"

namespace dialectic {

// The lines of the theory of a recipe that GeneratorRecipeError accepts.
StringList GeneratedTheoryLines(const GeneratorRecipe& recipe);

// The recipe that the dialog offers after this one: the same kind, size and parameters
// with the next seed, so that asking again gives another framework of the same shape.
GeneratorRecipe NextGeneratorRecipe(const GeneratorRecipe& recipe);

// The recipe that the dialog offers first: a small Erdős–Rényi framework.
GeneratorRecipe FirstGeneratorRecipe();

}  // namespace dialectic
