#include "frontend/generated_theory.h"

#include "formats/formats.h"

namespace dialectic {

StringList GeneratedTheoryLines(const GeneratorRecipe& recipe) {
  const WriteResult written = WriteFramework(GenerateFramework(recipe), Format::kText);
  // Generated names are a1, a2, ..., which the line syntax always holds.
  StringList lines;
  std::string::size_type start = 0;
  while (start < written.text.size()) {
    const std::string::size_type end = written.text.find('\n', start);
    lines.push_back(written.text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

GeneratorRecipe NextGeneratorRecipe(const GeneratorRecipe& recipe) {
  GeneratorRecipe next = recipe;
  ++next.seed;
  return next;
}

GeneratorRecipe FirstGeneratorRecipe() {
  GeneratorRecipe recipe;
  recipe.kind = "er";
  recipe.count = 8;
  recipe.parameters = {0.2};
  recipe.seed = 1;
  return recipe;
}

}  // namespace dialectic
