#include "frontend/node_positions.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "frontend/explanation_json.h"
#include "frontend/text_file.h"

namespace dialectic {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kPositionsVersion = 1;
// A side file is a few dozen bytes per argument; anything much larger is not one.
constexpr std::uintmax_t kLargestSideFile = 64u << 20;

}  // namespace

std::filesystem::path PositionsFileOf(const std::filesystem::path& theory_file) {
  std::filesystem::path side = theory_file;
  side += ".positions.json";
  return side;
}

std::string PositionsJson(const std::vector<std::string>& names, const NodePlaces& places) {
  Json arguments = Json::array();
  for (const std::string& name : names) {
    Json argument = Json::object();
    argument["name"] = JsonName(name);
    const auto place = places.find(name);
    if (place != places.end()) {
      argument["x"] = place->second.x;
      argument["y"] = place->second.y;
    }
    arguments.push_back(std::move(argument));
  }
  Json file = Json::object();
  file["dialectic-positions"] = kPositionsVersion;
  file["arguments"] = std::move(arguments);
  return file.dump(1) + '\n';
}

PositionsRead PositionsOfJson(std::string_view json, const std::vector<std::string>& names) {
  PositionsRead read;
  const Json file = Json::parse(json, nullptr, false);
  if (file.is_discarded() || !file.is_object() || !file.contains("dialectic-positions") ||
      !file.contains("arguments") || !file["arguments"].is_array()) {
    read.problem = "it is not a positions file";
    return read;
  }
  if (file["dialectic-positions"] != kPositionsVersion) {
    read.problem = "it is of another version";
    return read;
  }
  const Json& arguments = file["arguments"];
  if (arguments.size() != names.size()) {
    read.problem = "its arguments are not the theory's";
    return read;
  }
  NodePlaces places;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const Json& argument = arguments[i];
    if (!argument.is_object() || !argument.contains("name") || !argument["name"].is_string()) {
      read.problem = "it is not a positions file";
      return read;
    }
    const std::string name = NameOfJsonName(argument["name"].get<std::string>());
    if (name != names[i]) {
      read.problem = "its arguments are not the theory's";
      return read;
    }
    if (argument.contains("x") && argument.contains("y") && argument["x"].is_number() &&
        argument["y"].is_number()) {
      const double x = argument["x"].get<double>();
      const double y = argument["y"].get<double>();
      if (std::isfinite(x) && std::isfinite(y)) places[name] = {x, y};
    }
  }
  read.places = std::move(places);
  return read;
}

void WritePositionsFile(const std::filesystem::path& theory_file,
                        const std::vector<std::string>& names, const NodePlaces& places) {
  WriteWholeFile(PositionsFileOf(theory_file), PositionsJson(names, places));
}

PositionsRead ReadPositionsFile(const std::filesystem::path& theory_file,
                                const std::vector<std::string>& names) {
  const std::filesystem::path side = PositionsFileOf(theory_file);
  if (!IsExistingFile(side)) return {};
  PositionsRead read;
  try {
    read = PositionsOfJson(ReadRegularFile(side, kLargestSideFile), names);
  } catch (const FileError& error) {
    read.problem = error.what();
    return read;
  }
  if (!read.problem.empty()) {
    read.problem = "The positions in \"" + side.string() + "\" were ignored: " + read.problem + ".";
  }
  return read;
}

}  // namespace dialectic
