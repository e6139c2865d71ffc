#include "frontend/generated_theory.h"

#include "formats/formats.h"

namespace dialectic {

StringList GeneratedTheoryLines(const GeneratorSpec& spec) {
  const WriteResult written = WriteFramework(GenerateFramework(spec), Format::kText);
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

GeneratorSpec NextGeneratorSpec(const GeneratorSpec& spec) {
  GeneratorSpec next = spec;
  ++next.seed;
  return next;
}

GeneratorSpec FirstGeneratorSpec() {
  GeneratorSpec spec;
  spec.kind = "er";
  spec.count = 8;
  spec.parameters = {0.2};
  spec.seed = 1;
  return spec;
}

}  // namespace dialectic
