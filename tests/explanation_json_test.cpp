// The JSON form of explanations: the schema validator on documents that break it, the escape of
// names that are not UTF-8, and every explanation of small graphs and of the solver command
// against schema/explanation.schema.json.
#include "frontend/explanation_json.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/explanation.h"
#include "app/cli/solver_command.h"
#include "tests/oracle/exact_reference.h"
#include "tests/support/json_schema.h"
#include "tests/test_support.h"

namespace dialectic::explanation_json_check {
namespace {

using nlohmann::json;

// Under the sanitizers, every this-many-th graph of three arguments is written and validated.
#ifdef __SANITIZE_ADDRESS__
constexpr int kThreeArgumentStride = 8;
#else
constexpr int kThreeArgumentStride = 1;
#endif

json LoadSchema() {
  std::ifstream file(DIALECTIC_SCHEMA_DIR "/explanation.schema.json");
  EXPECT_TRUE(file.good());
  return json::parse(file);
}

// A document that conforms: an opponent strategy of two nodes.
json ValidDocument() {
  return json::parse(R"({"task": "DC-PR", "argument": "a", "answer": "NO", "certificate": null,
    "explanation": {"kind": "opponent-strategy", "tree": {"argument": "a", "role": "proponent",
    "children": [{"argument": "b", "role": "opponent", "children": []}]}}})");
}

TEST(JsonSchema, TheExplanationSchemaRejectsEveryBrokenDocument) {
  const json schema = LoadSchema();
  ASSERT_TRUE(SchemaErrors(schema, ValidDocument()).empty());
  struct Case {
    std::string pointer;  // where to change the valid document
    json value;           // the new value; null with remove set removes the member
    bool remove;
    std::string error;  // the start of the first error
  };
  const Case cases[] = {
      {"/answer", "MAYBE", false, "/answer: \"MAYBE\" is not one of"},
      {"/task", nullptr, true, ": missing \"task\""},
      {"/certificate", 3, false, "/certificate: 3 is not of type"},
      {"/certificate", json::array({"a", 1}), false, "/certificate/1: 1 is not of type"},
      {"/extra", true, false, ": unexpected \"extra\""},
      {"/explanation/kind", "proof", false, "/explanation/kind: \"proof\" is not one of"},
      {"/explanation/tree/role", "judge", false, "/explanation/tree/role:"},
      {"/explanation/tree/children/0/round", "2", false,
       "/explanation/tree/children/0/round: \"2\" is not of type"},
      {"/explanation/tree/children/0/children", nullptr, true,
       "/explanation/tree/children/0: missing \"children\""},
      {"/explanation/tree/children/0/colour", "red", false,
       "/explanation/tree/children/0: unexpected \"colour\""},
      {"/explanation/tree/repeat", false, false, "/explanation/tree/repeat: false is not one of"},
      {"/explanation/strategy_size", 1.5, false, "/explanation/strategy_size: 1.5 is not of type"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointer);
    json document = ValidDocument();
    const json::json_pointer pointer(c.pointer);
    if (c.remove) {
      document[pointer.parent_pointer()].erase(pointer.back());
    } else {
      document[pointer] = c.value;
    }
    const std::vector<std::string> errors = SchemaErrors(schema, document);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front().rfind(c.error, 0), 0u) << errors.front();
  }
}

TEST(JsonSchema, ValidatorReportsUnsupportedKeywordsAndUnresolvedReferences) {
  const json schema = json::parse(R"({"$defs": {"n": {"type": "integer"}},
    "properties": {"a": {"minimum": 3}, "b": {"$ref": "#/$defs/missing"}, "c": {"$ref": "#/$defs/n"},
    "d": {"additionalProperties": {"type": "string"}}}})");
  struct Case {
    std::string document;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {R"({})", {}},
      {R"({"a": 4})", {"/a: unsupported keyword \"minimum\""}},
      {R"({"b": 1})", {"/b: unresolved reference \"#/$defs/missing\""}},
      {R"({"c": 1})", {}},
      {R"({"c": "1"})", {"/c: \"1\" is not of type \"integer\""}},
      {R"({"d": {"x": "y", "z": 2}})", {"/d/z: 2 is not of type \"string\""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SchemaErrors(schema, json::parse(c.document)), c.errors) << c.document;
  }
}

// The bytes a JSON name stands for: U+F780 to U+F7FF are bytes, every other character its UTF-8.
std::string NameBytes(const std::string& utf8) {
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 3 && lead == 0xEF) {
      const unsigned int code = (lead & 0x0F) << 12 |
                                (static_cast<unsigned char>(utf8[i + 1]) & 0x3F) << 6 |
                                (static_cast<unsigned char>(utf8[i + 2]) & 0x3F);
      if (code >= 0xF780 && code <= 0xF7FF) {
        bytes += static_cast<char>(code - 0xF700);
        i += 3;
        continue;
      }
    }
    bytes.append(utf8, i, length);
    i += length;
  }
  return bytes;
}

TEST(JsonName, EscapesExactlyTheBytesThatAreNotUtf8) {
  struct Case {
    std::string name;
    std::string json_name;
  };
  const Case cases[] = {
      {"a1", "a1"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},                            // valid UTF-8 stays
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},                  // four bytes, valid
      {"caf\xE9", "caf\xEF\x9F\xA9"},                            // Latin-1 e acute: U+F7E9
      {"\xC3", "\xEF\x9F\x83"},                                  // cut short
      {"\xC0\xAF", "\xEF\x9F\x80\xEF\x9E\xAF"},                  // overlong
      {"\xED\xA0\x80", "\xEF\x9F\xAD\xEF\x9E\xA0\xEF\x9E\x80"},  // a surrogate
      {"\xEF\x9E\x80", "\xEF\x9F\xAF\xEF\x9E\x9E\xEF\x9E\x80"},  // U+F780 itself
      {"\xF4\x90\x80\x80", "\xEF\x9F\xB4\xEF\x9E\x90\xEF\x9E\x80\xEF\x9E\x80"},  // past U+10FFFF
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JsonName(c.name), c.json_name) << c.name;
    EXPECT_EQ(NameBytes(JsonName(c.name)), c.name);
    // nlohmann::json accepts it as UTF-8 and writes it back unchanged.
    EXPECT_EQ(json::parse(json(JsonName(c.name)).dump()).get<std::string>(), c.json_name);
  }
}

TEST(JsonName, EveryByteStringComesBackWhole) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    std::string name(random() % 9, '\0');
    for (char& byte : name) {
      // Mostly the bytes of UTF-8 sequences, so that valid and broken ones both occur.
      const unsigned int pick = random() % 6;
      byte = static_cast<char>(pick == 0  ? random() % 0x80
                               : pick < 3 ? 0x80 + random() % 0x40
                                          : 0xC0 + random() % 0x40);
    }
    const std::string written = JsonName(name);
    ASSERT_EQ(NameBytes(written), name);
    ASSERT_NO_THROW((void)json(written).dump());
  }
}

// Counts the nodes of a nested tree and checks each against the flat one, in preorder.
void CompareTrees(const json& node, const std::vector<exact::TreeNode>& tree,
                  const std::vector<std::string>& names, std::size_t& next) {
  ASSERT_LT(next, tree.size());
  const exact::TreeNode& flat = tree[next++];
  EXPECT_EQ(node["argument"], names[flat.argument]);
  EXPECT_EQ(node["role"], std::string(exact::RoleName(flat.role)));
  EXPECT_EQ(node.contains("round"), flat.round > 0);
  EXPECT_EQ(node.contains("repeat"), flat.repeat);
  ASSERT_EQ(node["children"].size(), flat.children.size());
  for (const json& child : node["children"]) CompareTrees(child, tree, names, next);
}

TEST(ExplanationJson, EveryExplanationOfEveryGraphOfUpToThreeArgumentsFitsTheSchema) {
  const json schema = LoadSchema();
  const std::vector<std::string> names = {"a", "b\xFF", "c"};
  int checked = 0;
  for (int size = 0; size <= 3; ++size) {
    for (std::uint32_t relation = 0; relation < (1u << (size * size)); ++relation) {
      if (size == 3 && relation % kThreeArgumentStride != 0) continue;
      ArgumentGraph graph;
      graph.attackers.resize(size);
      graph.targets.resize(size);
      for (int a = 0; a < size; ++a) {
        for (int b = 0; b < size; ++b) {
          if (!(relation >> (a * size + b) & 1)) continue;
          graph.attackers[b].push_back(a);
          graph.targets[a].push_back(b);
        }
      }
      for (const exact::Semantics semantics : exact::kAllSemantics) {
        for (int a = 0; a < size; ++a) {
          for (const auto question :
               {exact::AcceptanceQuestion::kCredulous, exact::AcceptanceQuestion::kSceptical}) {
            RunContext context;
            const exact::AcceptanceAnswer answer =
                question == exact::AcceptanceQuestion::kCredulous
                    ? exact::IsCredulouslyAccepted(graph, semantics, a, context)
                    : exact::IsScepticallyAccepted(graph, semantics, a, context);
            const exact::Explanation explanation =
                exact::Explain(graph, semantics, question, a, answer, context).explanation;
            // Through text and back, as a reader gets it.
            const json object = json::parse(ExplanationJson(explanation, names).dump());
            const std::vector<std::string> errors = SchemaErrors(schema, "explanation", object);
            ASSERT_TRUE(errors.empty()) << errors.front() << "\n" << object.dump();
            EXPECT_EQ(object["kind"], std::string(exact::ExplanationKindName(explanation.kind)));
            EXPECT_EQ(object.contains("tree"), !explanation.tree.empty());
            if (!explanation.tree.empty()) {
              std::vector<std::string> json_names;
              for (const std::string& name : names) json_names.push_back(JsonName(name));
              std::size_t next = 0;
              CompareTrees(object["tree"], explanation.tree, json_names, next);
              EXPECT_EQ(next, explanation.tree.size());
            }
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 20000 / kThreeArgumentStride);
}

TEST(ExplanationJson, TheSolverCommandWritesOneObjectThatFitsTheSchema) {
  const json schema = LoadSchema();
  TempDir dir;
  // a <-> b, b -> c, c -> d, d <-> e, and f attacking itself.
  const std::string file = (dir.path() / "f.apx").string();
  std::ofstream(file) << "arg(a). arg(b). arg(c). arg(d). arg(e). arg(f).\n"
                         "att(a,b). att(b,a). att(b,c). att(c,d). att(d,e). att(e,d). att(f,f).\n";
  int answers = 0;
  for (const std::string& task : SolverTaskNames()) {
    if (!task.starts_with("DC") && !task.starts_with("DS")) continue;
    for (const std::string argument : {"a", "c", "d", "f"}) {
      SCOPED_TRACE(task + " " + argument);
      std::ostringstream out, err;
      RunContext context;
      const int code = RunSolverCommand(
          {"-p", task, "-f", file, "-a", argument, "--explain", "--json"}, out, err, context);
      ASSERT_EQ(code, 0) << err.str();
      const json object = json::parse(out.str());
      const std::vector<std::string> errors = SchemaErrors(schema, object);
      ASSERT_TRUE(errors.empty()) << errors.front() << "\n" << out.str();
      EXPECT_EQ(object["task"], task);
      EXPECT_EQ(object["argument"], argument);
      // The plain answer says the same.
      std::ostringstream plain;
      RunSolverCommand({"-p", task, "-f", file, "-a", argument}, plain, err, context);
      EXPECT_EQ(plain.str().substr(0, plain.str().find('\n')), object["answer"]);
      ++answers;
    }
  }
  EXPECT_EQ(answers, 4 * 17);
}

}  // namespace
}  // namespace dialectic::explanation_json_check
