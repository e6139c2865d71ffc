#include "frontend/node_positions.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "frontend/text_file.h"

namespace dialectic {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kPositionsVersion = 1;
// A side file is a few dozen bytes per argument; anything much larger is not one.
constexpr std::uintmax_t kLargestSideFile = 64u << 20;

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned min = 0;
    unsigned value = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      length = 2, min = 0x80, value = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3, min = 0x800, value = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4, min = 0x10000, value = c & 0x07u;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0u) != 0x80u) return false;
      value = (value << 6) | (next & 0x3Fu);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// Each byte as the character of that code (Latin-1), in UTF-8, and back.
std::string BytesAsCharacters(std::string_view bytes) {
  std::string out;
  for (char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
      out += byte;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}
bool CharactersAsBytes(std::string_view text, std::string& bytes) {
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      bytes += text[i];
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
      bytes +=
          static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
    } else {
      return false;
    }
  }
  return true;
}

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
    if (IsUtf8(name)) {
      argument["name"] = name;
    } else {
      argument["name"] = BytesAsCharacters(name);
      argument["bytes"] = true;
    }
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
    std::string name = argument["name"].get<std::string>();
    if (argument.value("bytes", false)) {
      std::string bytes;
      if (!CharactersAsBytes(name, bytes)) {
        read.problem = "it is not a positions file";
        return read;
      }
      name = std::move(bytes);
    }
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
