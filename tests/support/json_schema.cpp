#include "tests/support/json_schema.h"

#include <algorithm>
#include <utility>

namespace dialectic {

namespace {

using nlohmann::json;

bool HasType(const json& value, const std::string& type) {
  if (type == "object") return value.is_object();
  if (type == "array") return value.is_array();
  if (type == "string") return value.is_string();
  if (type == "integer") return value.is_number_integer();
  if (type == "number") return value.is_number();
  if (type == "boolean") return value.is_boolean();
  if (type == "null") return value.is_null();
  return false;
}

class Validator {
 public:
  explicit Validator(const json& root) : root_(root) {}

  void Check(const json& schema, const json& value, const std::string& path, int depth = 0) {
    if (depth > 1000) {
      errors_.push_back(path + ": nested too deeply");
      return;
    }
    if (!schema.is_object()) {
      errors_.push_back(path + ": the schema here is not an object");
      return;
    }
    for (const auto& [keyword, argument] : schema.items()) {
      if (keyword == "$schema" || keyword == "title" || keyword == "description" ||
          keyword == "$defs") {
        continue;
      }
      if (keyword == "$ref") {
        CheckRef(argument, value, path, depth);
      } else if (keyword == "type") {
        CheckType(argument, value, path);
      } else if (keyword == "enum") {
        if (std::find(argument.begin(), argument.end(), value) == argument.end()) {
          errors_.push_back(path + ": " + value.dump() + " is not one of " + argument.dump());
        }
      } else if (keyword == "required") {
        if (!value.is_object()) continue;
        for (const json& name : argument) {
          if (!value.contains(name.get<std::string>())) {
            errors_.push_back(path + ": missing \"" + name.get<std::string>() + "\"");
          }
        }
      } else if (keyword == "properties") {
        if (!value.is_object()) continue;
        for (const auto& [name, subschema] : argument.items()) {
          if (value.contains(name)) Check(subschema, value.at(name), path + "/" + name, depth + 1);
        }
      } else if (keyword == "additionalProperties") {
        CheckAdditional(schema, argument, value, path, depth);
      } else if (keyword == "items") {
        if (!value.is_array()) continue;
        for (std::size_t i = 0; i < value.size(); ++i) {
          Check(argument, value[i], path + "/" + std::to_string(i), depth + 1);
        }
      } else {
        errors_.push_back(path + ": unsupported keyword \"" + keyword + "\"");
      }
    }
  }

  std::vector<std::string> TakeErrors() { return std::move(errors_); }

 private:
  void CheckRef(const json& reference, const json& value, const std::string& path, int depth) {
    const std::string prefix = "#/$defs/";
    const std::string target = reference.is_string() ? reference.get<std::string>() : "";
    if (!target.starts_with(prefix) || !root_.contains("$defs") ||
        !root_["$defs"].contains(target.substr(prefix.size()))) {
      errors_.push_back(path + ": unresolved reference " + reference.dump());
      return;
    }
    Check(root_["$defs"][target.substr(prefix.size())], value, path, depth + 1);
  }

  void CheckType(const json& type, const json& value, const std::string& path) {
    const std::vector<json> types =
        type.is_array() ? type.get<std::vector<json>>() : std::vector<json>{type};
    for (const json& name : types) {
      if (name.is_string() && HasType(value, name.get<std::string>())) return;
    }
    errors_.push_back(path + ": " + value.dump() + " is not of type " + type.dump());
  }

  void CheckAdditional(const json& schema, const json& allowed, const json& value,
                       const std::string& path, int depth) {
    if (!value.is_object()) return;
    const json properties = schema.value("properties", json::object());
    for (const auto& [name, member] : value.items()) {
      if (properties.contains(name)) continue;
      if (allowed.is_boolean()) {
        if (!allowed.get<bool>()) errors_.push_back(path + ": unexpected \"" + name + "\"");
      } else {
        Check(allowed, member, path + "/" + name, depth + 1);
      }
    }
  }

  const json& root_;
  std::vector<std::string> errors_;
};

}  // namespace

std::vector<std::string> SchemaErrors(const json& schema, const json& instance) {
  Validator validator(schema);
  validator.Check(schema, instance, "");
  return validator.TakeErrors();
}

std::vector<std::string> SchemaErrors(const json& schema, const std::string& definition,
                                      const json& instance) {
  Validator validator(schema);
  validator.Check(json{{"$ref", "#/$defs/" + definition}}, instance, "");
  return validator.TakeErrors();
}

}  // namespace dialectic
