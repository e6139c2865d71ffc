#include "frontend/explanation_json.h"

#include <utility>

namespace dialectic {

namespace {

using json = nlohmann::ordered_json;

// The length of the valid UTF-8 sequence at i, or 0 when the bytes there are not one.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned int code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
  if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
      (code >= 0xD800 && code <= 0xDFFF)) {
    return 0;
  }
  // The escape characters themselves are escaped, byte by byte.
  if (code >= 0xF700 && code <= 0xF7FF) return 0;
  return length;
}

void AppendEscapedByte(unsigned char byte, std::string& out) {
  // U+F700 + byte in UTF-8: EF, 9C or 9D or 9E or 9F, then the low six bits.
  const unsigned int code = 0xF700 + byte;
  out += static_cast<char>(0xE0 | code >> 12);
  out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
  out += static_cast<char>(0x80 | (code & 0x3F));
}

std::string_view ExclusionName(exact::Exclusion exclusion) {
  switch (exclusion) {
    case exact::Exclusion::kOut:
      return "out";
    case exact::Exclusion::kUndecided:
      return "undecided";
    case exact::Exclusion::kSelfAttacking:
      return "self-attacking";
    case exact::Exclusion::kConflict:
      return "conflict";
  }
  return "";
}

std::string_view StatementName(exact::Statement statement) {
  switch (statement) {
    case exact::Statement::kNoAdmissibleSet:
      return "no-admissible-set";
    case exact::Statement::kStageWitness:
      return "stage-witness";
    case exact::Statement::kNaiveWitness:
      return "naive-witness";
    case exact::Statement::kSelfAttacking:
      return "self-attacking";
    case exact::Statement::kTreeTooLarge:
      return "tree-too-large";
  }
  return "";
}

}  // namespace

std::string NameOfJsonName(std::string_view text) {
  // U+F780 to U+F7FF are EF 9E or 9F and one more byte in UTF-8; every other character stands for
  // its own bytes.
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto at = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    if (at(i) == 0xEF && i + 2 < text.size() && (at(i + 1) == 0x9E || at(i + 1) == 0x9F)) {
      const unsigned int code = 0xF000u | (at(i + 1) & 0x3Fu) << 6 | (at(i + 2) & 0x3Fu);
      bytes += static_cast<char>(code - 0xF700u);
      i += 2;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

std::string JsonName(const std::string& name) {
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = Utf8SequenceLength(name, i);
    if (length == 0) {
      AppendEscapedByte(static_cast<unsigned char>(name[i]), out);
      ++i;
    } else {
      out.append(name, i, length);
      i += length;
    }
  }
  return out;
}

json JsonNames(const exact::Extension& extension, const std::vector<std::string>& names) {
  json list = json::array();
  for (const int a : extension) list.push_back(JsonName(names[a]));
  return list;
}

json TreeJson(const std::vector<exact::TreeNode>& tree, const std::vector<std::string>& names) {
  if (tree.empty()) return nullptr;
  // Children stand after their parent, so walking backwards finds every child built.
  std::vector<json> built(tree.size());
  for (std::size_t i = tree.size(); i-- > 0;) {
    const exact::TreeNode& node = tree[i];
    json object = {{"argument", JsonName(names[node.argument])},
                   {"role", exact::RoleName(node.role)},
                   {"children", json::array()}};
    if (node.round > 0) object["round"] = node.round;
    if (node.repeat) object["repeat"] = true;
    for (const int child : node.children) object["children"].push_back(std::move(built[child]));
    built[i] = std::move(object);
  }
  return std::move(built.front());
}

json ExplanationJson(const exact::Explanation& explanation, const std::vector<std::string>& names) {
  json object = {{"kind", exact::ExplanationKindName(explanation.kind)}};
  if (!explanation.tree.empty()) object["tree"] = TreeJson(explanation.tree, names);
  if (explanation.extension) object["extension"] = JsonNames(*explanation.extension, names);
  if (!explanation.witness_minimal) object["witness_minimal"] = false;
  if (!explanation.outside.empty()) {
    json outside = json::array();
    for (const exact::OutsideArgument& entry : explanation.outside) {
      outside.push_back(
          {{"argument", JsonName(names[entry.argument])},
           {"attacker", entry.attacker ? json(JsonName(names[*entry.attacker])) : json(nullptr)}});
    }
    object["outside"] = std::move(outside);
  }
  if (!explanation.refuted_attackers.empty()) {
    object["refuted_attackers"] = JsonNames(explanation.refuted_attackers, names);
  }
  if (explanation.exclusion) {
    object["exclusion"] = ExclusionName(*explanation.exclusion);
    if (explanation.excluder) object["excluder"] = JsonName(names[*explanation.excluder]);
  }
  if (explanation.kind == exact::ExplanationKind::kUndecidedCycle ||
      explanation.exclusion == exact::Exclusion::kUndecided) {
    object["undecided_attackers"] = JsonNames(explanation.undecided_attackers, names);
  }
  if (explanation.kind == exact::ExplanationKind::kUndecidedCycle) {
    json cycles = json::array();
    for (const std::vector<int>& cycle : explanation.cycles) {
      cycles.push_back(JsonNames(cycle, names));
    }
    object["cycles"] = std::move(cycles);
  }
  if (explanation.kind == exact::ExplanationKind::kEveryExtension) {
    json extensions = json::array();
    for (const exact::Extension& extension : explanation.extensions) {
      extensions.push_back(JsonNames(extension, names));
    }
    object["extensions"] = std::move(extensions);
    object["extension_count"] = explanation.extension_count;
    object["each_holds"] = explanation.each_holds;
  }
  if (explanation.statement) {
    object["statement"] = StatementName(*explanation.statement);
    if (*explanation.statement == exact::Statement::kNoAdmissibleSet) {
      object["strategy_size"] =
          explanation.strategy_size ? json(*explanation.strategy_size) : json(nullptr);
    }
    if (*explanation.statement == exact::Statement::kTreeTooLarge) {
      object["tree_kind"] = exact::ExplanationKindName(*explanation.tree_kind);
      object["tree_nodes"] = explanation.tree_nodes;
      object["tree_depth"] = explanation.tree_depth;
    }
  }
  return object;
}

}  // namespace dialectic
