// A validator for the part of JSON Schema that the repository's schemas use: "type" (a name or a
// list of names), "required", "properties", "additionalProperties" (false or a schema), "items",
// "enum" and "$ref" to "#/$defs/NAME". Any other keyword but "$schema", "title", "description"
// and "$defs" is reported as unsupported, so that a schema never relies on a check not made.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace dialectic {

// The ways the instance breaks the schema, each "PATH: what", PATH a JSON pointer into the
// instance; empty when it conforms. The schema is the whole document its "$ref"s point into.
std::vector<std::string> SchemaErrors(const nlohmann::json& schema, const nlohmann::json& instance);

// The same against the named definition of the schema ("#/$defs/NAME").
std::vector<std::string> SchemaErrors(const nlohmann::json& schema, const std::string& definition,
                                      const nlohmann::json& instance);

}  // namespace dialectic
