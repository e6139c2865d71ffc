// The JSON form of a run: every document conforms to schema/run.schema.json, and its values say
// what the text areas of the same run show, line by line.
#include "frontend/run_json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "formats/generators.h"
#include "frontend/example_library.h"
#include "frontend/explanation_json.h"
#include "frontend/form.h"
#include "tests/support/json_schema.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

using Json = nlohmann::ordered_json;

nlohmann::json LoadSchema() {
  std::ifstream file(DIALECTIC_SCHEMA_DIR "/run.schema.json");
  EXPECT_TRUE(file.good());
  return nlohmann::json::parse(file);
}

// A name as the document writes it: without its ending blank.
std::string WordOf(std::string_view name) {
  if (name.ends_with(' ')) name.remove_suffix(1);
  return JsonName(std::string(name));
}

// The names of the arguments that the indices refer to; an index outside the theory's argument
// list throws, which fails the test.
std::vector<std::string> NamesOf(const Json& indices, const Json& arguments) {
  std::vector<std::string> names;
  for (const Json& index : indices) names.push_back(arguments.at(index.get<std::size_t>()));
  return names;
}

// A labeling given by names as its sorted IN names and sorted OUT names, e.g. "a c | b".
std::string SidesOfNames(const Json& labeling) {
  const auto sorted = [](const Json& names) {
    std::vector<std::string> words = names.get<std::vector<std::string>>();
    std::sort(words.begin(), words.end());
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
  };
  return sorted(labeling["in"]) + " | " + sorted(labeling["out"]);
}

// The same of a labeling of the document, whose sides are indices into its argument list.
std::string SidesOf(const Json& labeling, const Json& arguments) {
  return SidesOfNames(Json{{"in", NamesOf(labeling["in"], arguments)},
                           {"out", NamesOf(labeling["out"], arguments)}});
}

// The same of a listing line, "  a c (b)", for theories whose names hold no blank or parenthesis.
std::string SidesOf(std::string_view line) {
  std::vector<std::string> in;
  std::vector<std::string> out;
  std::istringstream words{std::string(line)};
  bool in_parentheses = false;
  for (std::string word; words >> word;) {
    if (word == "<empty>") continue;
    if (word.front() == '(') {
      in_parentheses = true;
      word.erase(0, 1);
    }
    const bool last = word.back() == ')';
    if (last) word.pop_back();
    if (!word.empty()) (in_parentheses ? out : in).push_back(word);
  }
  return SidesOfNames(Json{{"in", in}, {"out", out}});
}

// Checks that the document says what the areas show: the grounded line, every option line under
// its heading, every listed preferred line and one warning per limit.
void ExpectAgreesWithAreas(const Json& document, const TForm1& form, const std::string& what) {
  SCOPED_TRACE(what);
  const Json& arguments = document["theory"]["arguments"];
  ASSERT_EQ(arguments.size(), static_cast<std::size_t>(form.Theory.Args.Count()));
  std::set<std::pair<std::string, std::string>> theory_attacks;
  for (const TArg* arg : form.Theory.Args) {
    for (const TArg* attacker : arg->Attackers) {
      theory_attacks.emplace(WordOf(attacker->Name), WordOf(arg->Name));
    }
  }
  std::set<std::pair<std::string, std::string>> json_attacks;
  for (const Json& attack : document["theory"]["attacks"]) {
    ASSERT_EQ(attack.size(), 2u);
    json_attacks.emplace(arguments.at(attack[0].get<std::size_t>()),
                         arguments.at(attack[1].get<std::size_t>()));
  }
  EXPECT_EQ(json_attacks, theory_attacks);

  ASSERT_FALSE(document["grounded"].is_null());
  EXPECT_EQ(SidesOf(document["grounded"], arguments), SidesOf(form.Memo5.Get(1)));

  std::vector<std::string> option_lines;
  for (int line = 0; line < form.Memo4.Count(); ++line) {
    if (form.Memo4.Get(line).starts_with("  "))
      option_lines.push_back(SidesOf(form.Memo4.Get(line)));
  }
  std::vector<std::string> json_options;
  for (const Json& argument : document["options"]) {
    for (const char* kind : {"proof", "refutation"}) {
      for (const Json& option : argument[kind]) {
        json_options.push_back(SidesOf(option, arguments));
      }
    }
  }
  EXPECT_EQ(json_options, option_lines);
  EXPECT_EQ(document["options"].size(),
            form.Theory.Args.Count() > 0 ? static_cast<std::size_t>(form.Theory.Args.Count()) : 0u);

  std::vector<std::string> listed_lines;
  const int heading = form.Memo5.IndexOf("Preferred extensions");
  for (int line = heading + 1; heading >= 0 && line < form.Memo5.Count(); ++line) {
    if (form.Memo5.Get(line).starts_with("  "))
      listed_lines.push_back(SidesOf(form.Memo5.Get(line)));
  }
  std::vector<std::string> json_listed;
  for (const Json& extension : document["preferred"]["extensions"]) {
    json_listed.push_back(SidesOf(extension, arguments));
  }
  EXPECT_EQ(json_listed, listed_lines);

  const auto warning_lines = std::count(form.Memo2.begin(), form.Memo2.end(), "***");
  EXPECT_EQ(2 * document["limits"].size(), static_cast<std::size_t>(warning_lines));
}

// The run's document; written_text, when given, receives what WriteRunJson writes of the run.
Json RunJsonOf(TForm1& form, bool with_check, std::string* written_text = nullptr) {
  RunContext context;
  const bool completed = dialectic::Run(form, context);
  std::optional<CheckReport> check;
  if (with_check) check = CheckRun(form.Theory, form.Outcome, context);
  const RunJsonInput input{{form.Depth, form.ShowTrace}, form.Theory, form.Outcome, form, completed,
                           check ? &*check : nullptr};
  if (written_text != nullptr) {
    std::ostringstream out;
    WriteRunJson(input, out);
    *written_text = out.str();
  }
  return RunJson(input);
}

TEST(RunJson, EveryExampleAndRandomTheoryConformsAndAgreesWithItsAreas) {
  const nlohmann::json schema = LoadSchema();
  std::vector<std::pair<std::string, StringList>> theories;
  for (const std::string& caption : ExampleCaptions(BuiltInExamples())) {
    theories.emplace_back(caption, ExampleLines(BuiltInExamples(), caption));
  }
  const std::vector<StringList> random = MediumRandomTheories(30, 71);
  for (std::size_t i = 0; i < random.size(); ++i) {
    theories.emplace_back("random " + std::to_string(i), random[i]);
  }
  // Ten even cycles list 1,024 extensions, more than one block of the command line's writing.
  StringList cycles;
  for (int i = 0; i < 10; ++i) {
    const std::string a = "a" + std::to_string(i);
    const std::string b = "b" + std::to_string(i);
    cycles.push_back(a + " " + b + ", " + b + " " + a);
  }
  theories.emplace_back("ten even cycles", cycles);
  for (const auto& [name, lines] : theories) {
    for (const char* depth : {"100", "1"}) {
      TForm1 form;
      form.Edit1 = depth;
      form.Memo1.AddStrings(lines);
      std::string written;
      const Json document = RunJsonOf(form, std::string_view(depth) == "1", &written);
      const std::string what = name + " at depth " + depth;
      // The command line's piecewise writing gives the whole document's text.
      EXPECT_EQ(written, document.dump() + "\n") << what;
      EXPECT_EQ(SchemaErrors(schema, nlohmann::json::parse(document.dump())),
                std::vector<std::string>{})
          << what;
      ExpectAgreesWithAreas(document, form, what);
    }
  }
}

TEST(RunJson, TheCheckSaysWhatIsMissingAndWhatIsWrong) {
  // At depth 1 the listing of this theory holds r (p q s), which is no preferred extension, and
  // lacks q s (p r).
  TForm1 form;
  form.Edit1 = "1";
  form.Memo1.SetText("p q r, q r, r s, s");
  const Json document = RunJsonOf(form, true);
  const Json& check = document["check"];
  EXPECT_EQ(check["status"], "missing-or-wrong");
  EXPECT_EQ(check["grounded_right"], true);
  ASSERT_EQ(check["wrong"].size(), 1u);
  EXPECT_EQ(SidesOf(check["wrong"][0], document["theory"]["arguments"]), "r | p q s");
  EXPECT_EQ(check["wrong"][0]["reason"], "s is OUT but no IN argument attacks it");
  // The depth cut short phases of p, q and r, the arguments whose reasons go deeper than one stage.
  std::set<std::string> cut_short;
  for (const Json& limit : document["limits"]) {
    EXPECT_EQ(limit["limit"], "depth");
    cut_short.insert(limit["argument"].get<std::string>());
  }
  EXPECT_EQ(cut_short, (std::set<std::string>{"p", "q", "r"}));
}

TEST(RunJson, TheCommandLineWritesOneDocumentInsteadOfTheAreas) {
  struct Case {
    std::vector<std::string> args;
    bool has_check;
  };
  const Case kCases[] = {
      {{"--json"}, false},
      {{"--json", "--area", "check"}, true},
      {{"--json", "--no-trace", "--depth", "0"}, false},
  };
  const nlohmann::json schema = LoadSchema();
  for (const Case& c : kCases) {
    std::istringstream in("a b, b a\nc c");
    std::ostringstream out, err;
    TempDir dir;
    ASSERT_EQ(RunCommandLine(c.args, in, out, err, dir.path() / "examples.txt"), kExitOk);
    const std::string text = out.str();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), text.size() - 1) << "one line: " << text;
    const nlohmann::json document = nlohmann::json::parse(text);
    EXPECT_EQ(SchemaErrors(schema, document), std::vector<std::string>{}) << text;
    EXPECT_EQ(document["check"].is_null(), !c.has_check);
    EXPECT_EQ(document["theory"]["arguments"], nlohmann::json::parse(R"(["a", "b", "c"])"));
    // Attacker, then target, by index: b attacks a, a attacks b, c attacks itself.
    EXPECT_EQ(document["theory"]["attacks"], nlohmann::json::parse("[[1, 0], [0, 1], [2, 2]]"));
  }
}

}  // namespace
}  // namespace dialectic
