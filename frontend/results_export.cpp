#include "frontend/results_export.h"

#include <array>
#include <string_view>

#include "frontend/text_file.h"

namespace dialectic {

namespace {

struct Section {
  std::string_view heading;
  TextArea TForm1::*area;
};

constexpr std::array<Section, 5> kSections = {{
    {"[input]", &TForm1::Memo1},
    {"[rephrased]", &TForm1::Memo2},
    {"[trace]", &TForm1::Memo3},
    {"[options]", &TForm1::Memo4},
    {"[extensions]", &TForm1::Memo5},
}};

}  // namespace

void ExportResults(const TForm1& form, const std::filesystem::path& path) {
  FileWriter file(path);
  for (const Section& section : kSections) {
    file.Write(section.heading);
    file.Write("\n");
    for (std::string_view line : form.*section.area) {
      file.Write(line);
      file.Write("\n");
    }
  }
  file.Close();
}

}  // namespace dialectic
