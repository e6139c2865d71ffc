// The JSON forms of the solver's answers and explanations, through nlohmann::ordered_json. Names
// are the file's names; bytes that are not UTF-8 are escaped by JsonName so that every name comes
// back whole (see there).
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/explanation.h"

namespace dialectic {

// The name as a UTF-8 string. Valid UTF-8 stands for itself, except the characters U+F700 to
// U+F7FF; every byte of an invalid sequence, and every byte of such a character, becomes the one
// character U+F700 + byte (U+F780 to U+F7FF). A reader gets the bytes back by turning each
// character U+F780 to U+F7FF into the byte it ends in and every other character into its UTF-8.
std::string JsonName(const std::string& name);
// The name's bytes back from what JsonName made of them.
std::string NameOfJsonName(std::string_view text);

// The names of the arguments of an extension, in its order.
nlohmann::ordered_json JsonNames(const exact::Extension& extension,
                                 const std::vector<std::string>& names);

// The explanation object: "kind", "tree" where it has one (nested nodes {"argument", "role",
// "children"}, "round" on proponent nodes of a grounded proof, "repeat": true on a repeat), and
// the facts of its kind.
nlohmann::ordered_json ExplanationJson(const exact::Explanation& explanation,
                                       const std::vector<std::string>& names);

// The tree nested, built from the last node to the first so that no recursion is needed.
nlohmann::ordered_json TreeJson(const std::vector<exact::TreeNode>& tree,
                                const std::vector<std::string>& names);

}  // namespace dialectic
