#include "app/cli/command_line.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "formats/generators.h"
#include "frontend/example_library.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

struct Outcome {
  int exit_code;
  std::string out, err;
};

class CommandLineTest : public ::testing::Test {
 protected:
  Outcome Call(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = RunCommandLine(args, in, out, err, examples_);
    return {code, out.str(), std::regex_replace(err.str(), std::regex("\\s+$"), "")};
  }
  static std::string Timeless(const std::string& text) {
    return std::regex_replace(text, std::regex("[0-9]+ ms elapsed"), "# ms elapsed");
  }
  TempDir dir_;
  std::filesystem::path examples_ = dir_.path() / "examples.txt";
};

TEST_F(CommandLineTest, PrintsTheChosenAreasInTheirFixedOrder) {
  const Outcome outcome =
      Call({"--area", "extensions", "--no-trace", "--area=options"}, "a b, b c\n");
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_EQ(Timeless(outcome.out),
            "[options]\na :\n  a c (b)\nb :\n  c (b)\nc :\n  c\n\n# ms elapsed\n"
            "[extensions]\nGrounded extension\n  a c (b)\n\n# ms elapsed\n\n"
            "Preferred extensions\n  a c (b)\n\n# ms elapsed\n");
  EXPECT_EQ(outcome.err, "");
}

TEST_F(CommandLineTest, PrintsAllFourAreasByDefaultWithTheTraceOn) {
  const Outcome outcome = Call({"-"}, "a");
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_EQ(Timeless(outcome.out),
            "[rephrased]\nSTANDARD STYLE\na \n\nCOMMA STYLE\n\n\nYET ANOTHER STYLE\na \n\n"
            "[trace]\nPartial proof options of a \n0:\n  a\n1:\n  <as previous level>\n\n"
            "Partial refutation options of a \n0:\n  (a)\n1:\n  <none>\n\n"
            "[options]\na :\n  a\n\n# ms elapsed\n"
            "[extensions]\nGrounded extension\n  a\n\n# ms elapsed\n\nPreferred extensions\n"
            "  a\n\n# ms elapsed\n");
}

TEST_F(CommandLineTest, ReadsLinesFromAFileWithAnyLineEndsAndControlBytesAsCharacters) {
  const std::filesystem::path input = dir_.path() / "theory.txt";
  std::ofstream(input, std::ios::binary) << std::string("a b\r\nb c\rc\1d\ne", 14);
  const Outcome outcome = Call({"--area", "rephrased", input.string()});
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_EQ(outcome.out.substr(0, 43),
            std::string("[rephrased]\nSTANDARD STYLE\na b\nb c\nc\1d \ne \n", 43));
}

// What is no theory file is refused with a message and exit 1, and nothing is printed.
TEST_F(CommandLineTest, RefusesAnInputThatIsNoTextFileOrTooLarge) {
  const std::filesystem::path binary = dir_.path() / "program.txt";
  std::ofstream(binary, std::ios::binary) << std::string(
      "\x7f"
      "ELF\2\1\1\0\0a b\n",
      13);
  const std::filesystem::path large = dir_.path() / "large.txt";
  std::ofstream(large, std::ios::binary) << "a b\n";
  std::filesystem::resize_file(large, (64 << 20) + 1);
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string message;
  };
  const Case cases[] = {
      {{"/dev/null"},
       "",
       "dialectic-cli: Cannot open file \"/dev/null\". It is a device, not a regular file."},
      {{"/dev/zero"},
       "",
       "dialectic-cli: Cannot open file \"/dev/zero\". It is a device, not a regular file."},
      {{dir_.path().string()},
       "",
       "dialectic-cli: Cannot open file \"" + dir_.path().string() +
           "\". It is a folder, not a file."},
      {{large.string()},
       "",
       "dialectic-cli: Cannot open file \"" + large.string() +
           "\". It holds 67108865 bytes, more than the 64 MB that a theory file may hold."},
      {{binary.string()},
       "",
       "Cannot read \"" + binary.string() +
           "\" as a theory. Byte 8 is a NUL byte: it is not a text file."},
      {{"--from", "tgf", binary.string()},
       "",
       "Cannot read \"" + binary.string() +
           "\" as a theory. Byte 8 is a NUL byte: it is not a text file."},
      {{},
       std::string("a b\0", 4),
       "Cannot read \"<stdin>\" as a theory. Byte 4 is a NUL byte: it is not a text file."},
      {{"-"},
       std::string((64 << 20) + 1, 'a'),
       "dialectic-cli: Cannot read standard input. It holds more than the 64 MB that a theory may "
       "hold."},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Call(c.args, c.input);
    EXPECT_EQ(outcome.exit_code, kExitFileError) << c.message;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, c.message);
  }
}

TEST_F(CommandLineTest, DepthTextIsReadAsTheDepthBoxReadsIt) {
  struct Case {
    std::string depth;
    bool warns;
  };
  const Case cases[] = {{"1", true}, {"$1", true}, {"100", false}, {"1 ", false}, {"x", false}};
  for (const Case& c : cases) {
    const Outcome outcome = Call({"--depth", c.depth, "--area", "rephrased"}, "a b");
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_EQ(
        outcome.out.find("Check whether computation depth was sufficient") != std::string::npos,
        c.warns)
        << c.depth;
  }
}

TEST_F(CommandLineTest, ExamplesComeFromTheLibraryWithoutWritingIt) {
  const Outcome listed = Call({"--list-examples", "ignored-file"});
  EXPECT_EQ(listed.exit_code, 0);
  std::string captions;
  for (const std::string& caption : ExampleCaptions(BuiltInExamples())) captions += caption + "\n";
  EXPECT_EQ(listed.out, captions);

  const Outcome chosen = Call({"--example", "Even cycle", "--area", "extensions", "--no-trace"});
  EXPECT_EQ(chosen.exit_code, 0);
  EXPECT_NE(chosen.out.find("Preferred extensions\n  b (a)\n  a (b)\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(examples_));

  std::ofstream(examples_, std::ios::binary) << "#Mine\nx y\n";
  EXPECT_EQ(Call({"--list-examples"}).out, "Mine\n");
  EXPECT_NE(Call({"--example=Mine", "--area", "options"}).out.find("x :\n  y (x)\n"),
            std::string::npos);
}

TEST_F(CommandLineTest, UsageErrorsExitWithTwoAndOneLine) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--bogus"}, "dialectic-cli: unknown option --bogus (see --help)"},
      {{"--area", "graph"},
       "dialectic-cli: unknown area \"graph\" (rephrased, trace, options, extensions or check) "
       "(see "
       "--help)"},
      {{"--depth"}, "dialectic-cli: option --depth needs a value (see --help)"},
      {{"a.txt", "b.txt"}, "dialectic-cli: more than one input file (see --help)"},
      {{"--example", "Even cycle", "a.txt"},
       "dialectic-cli: --example and an input file exclude each other (see --help)"},
      {{"--example", "even cycle"}, "dialectic-cli: no example has the caption \"even cycle\""},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Call(c.args);
    EXPECT_EQ(outcome.exit_code, 2) << c.message;
    EXPECT_EQ(outcome.err, c.message);
    EXPECT_EQ(outcome.out, "");
  }
}

TEST_F(CommandLineTest, GenerateWritesTheFrameworkWithoutRunning) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  // Shapes whose every attack follows from their definition.
  const Case cases[] = {
      {{"--generate", "chain:3"}, "a1 a2\na2 a3\n"},
      {{"--generate", "odd-cycles:1:3", "--to", "i23"}, "p af 3\n1 2\n2 3\n3 1\n"},
      {{"--generate=even-cycles:1", "--to", "apx"},
       "arg(a1).\narg(a2).\natt(a1,a2).\natt(a2,a1).\n"},
      {{"--to", "tgf", "--generate", "tree:3:2:seed=9"}, "a1\na2\na3\n#\na2 a1\na3 a1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1]);
    const Outcome outcome = Call(c.args, "ignored input\n");
    EXPECT_EQ(outcome.exit_code, 0) << outcome.err;
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, "");
  }
}

TEST_F(CommandLineTest, GenerateGivesTheSameFrameworkInEveryFormat) {
  const std::string recipes[] = {"er:30:0.1:seed=3", "ba:25:2:seed=4", "ws:20:4:0.2", "grid:16"};
  for (const std::string& recipe : recipes) {
    SCOPED_TRACE(recipe);
    const Outcome text = Call({"--generate", recipe});
    ASSERT_EQ(text.exit_code, 0) << text.err;
    EXPECT_EQ(Call({"--generate", recipe}).out, text.out);
    for (const std::string format : {"apx", "tgf"}) {
      const Outcome written = Call({"--generate", recipe, "--to", format});
      ASSERT_EQ(written.exit_code, 0) << written.err;
      EXPECT_EQ(Call({"--from", format, "--to", "text"}, written.out).out, text.out) << format;
    }
    const Outcome dot = Call({"--generate", recipe, "--to", "dot"});
    EXPECT_EQ(dot.exit_code, 0);
    EXPECT_EQ(dot.out, Call({"--to", "dot"}, text.out).out);
  }
}

TEST_F(CommandLineTest, AMalformedGenerateRecipeIsAUsageError) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--generate", "star:5"},
       "dialectic-cli: --generate: unknown kind \"star\" (er, ba, ws, grid, even-cycles, "
       "odd-cycles, chain, tree) (see --help)"},
      {{"--generate", "er"},
       "dialectic-cli: --generate: expected KIND:N[:PARAM...][:seed=S], not \"er\" (see --help)"},
      {{"--generate", "er:50:2"},
       "dialectic-cli: --generate: the probability must lie from 0 to 1 (see --help)"},
      {{"--generate"}, "dialectic-cli: option --generate needs a value (see --help)"},
      {{"--generate", "chain:3", "a.txt"},
       "dialectic-cli: --generate makes the input: no input file, --example or --from with it "
       "(see --help)"},
      {{"--generate", "chain:3", "--from", "i23"},
       "dialectic-cli: --generate makes the input: no input file, --example or --from with it "
       "(see --help)"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Call(c.args);
    EXPECT_EQ(outcome.exit_code, 2) << c.message;
    EXPECT_EQ(outcome.err, c.message);
    EXPECT_EQ(outcome.out, "");
  }
  // The help names the option and every kind.
  const std::string help = Call({"--help"}).out;
  EXPECT_NE(help.find("--generate KIND:N[:PARAM...][:seed=S]"), std::string::npos);
  for (const std::string& kind : GeneratorKinds()) {
    EXPECT_NE(help.find('\n' + std::string(23, ' ') + kind), std::string::npos) << kind;
  }
}

TEST_F(CommandLineTest, FileProblemsExitWithOne) {
  const std::filesystem::path missing = dir_.path() / "missing.txt";
  const Outcome outcome = Call({missing.string()});
  EXPECT_EQ(outcome.exit_code, 1);
  EXPECT_EQ(outcome.err, "dialectic-cli: Cannot open file \"" + missing.string() +
                             "\". No such file or directory");
  std::filesystem::create_directory(examples_);
  EXPECT_EQ(Call({"--list-examples"}).exit_code, 0);  // a folder is no library file
}

TEST_F(CommandLineTest, HelpPrintsUsage) {
  const Outcome outcome = Call({"--help", "--bogus-after-help-is-never-reached?"});
  EXPECT_NE(outcome.exit_code, 0);
  const Outcome help = Call({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.out.rfind("Usage: dialectic-cli", 0), 0u);
}

TEST_F(CommandLineTest, AStopRequestPrintsWhatWasComputedAndExits130) {
  RunContext context;
  context.RequestStop();
  std::istringstream in("a b, b c\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine({"--area", "extensions"}, in, out, err, context, examples_),
            kExitStopped);
  EXPECT_EQ(Timeless(out.str()),
            "[extensions]\nGrounded extension\n  a c (b)\n\n# ms elapsed\n*** Stopped ***\n");
}

// The real program under Ctrl+C: a long chain with the trace on is interrupted while it runs.
TEST_F(CommandLineTest, InterruptedProgramFlushesItsOutputAndExits130) {
  const std::filesystem::path input = dir_.path() / "chain.txt";
  const std::filesystem::path output = dir_.path() / "out.txt";
  {
    std::ofstream chain(input);
    for (int i = 0; i < 30000; ++i) chain << 'c' << i << " c" << i + 1 << '\n';
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (std::freopen(output.c_str(), "w", stdout) == nullptr) _exit(99);
    execl(DIALECTIC_CLI, DIALECTIC_CLI, input.c_str(), nullptr);
    _exit(98);
  }
  // The interrupt must come once the trace is being written; the sanitizer build, many times
  // slower, has not reached the trace after half a second.
#ifdef __SANITIZE_ADDRESS__
  std::this_thread::sleep_for(std::chrono::milliseconds(2000));
#else
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
#endif
  kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitStopped);
  // Every area is printed; the stopped line stands once, where the run was when it stopped.
  std::ifstream printed(output);
  std::string first, line;
  std::getline(printed, first);
  int stopped_lines = 0;
  bool trace_printed = false;
  while (std::getline(printed, line)) {
    if (line == "*** Stopped ***") ++stopped_lines;
    if (line == "[trace]") trace_printed = true;
  }
  EXPECT_EQ(first, "[rephrased]");
  EXPECT_TRUE(trace_printed);
  EXPECT_EQ(stopped_lines, 1);
}

TEST_F(CommandLineTest, CheckAreaComesAfterTheOthersAndOnlyWhenAsked) {
  const std::string theory = "p q r, q r, r s, s\n";
  const Outcome checked =
      Call({"--depth", "1", "--no-trace", "--area", "check", "--area", "extensions"}, theory);
  EXPECT_EQ(checked.exit_code, 0);
  const std::string out = Timeless(checked.out);
  const std::size_t check = out.find("[check]\n");
  ASSERT_NE(check, std::string::npos);
  EXPECT_LT(out.find("[extensions]\n"), check);
  EXPECT_EQ(out.substr(check),
            "[check]\nThe one exact preferred extension is listed. 1 listed extension is not "
            "preferred: r (p q s) (s is OUT but no IN argument attacks it). The grounded "
            "extension is right. The listing was cut short by the depth (arguments p, q, r).\n\n"
            "Grounded extension\n  right:  q s (p r)\n\nExact preferred extensions\n"
            "  listed:  q s (p r)\n\nListed extensions that are not preferred\n"
            "  r (p q s): s is OUT but no IN argument attacks it\n\nPhases cut short\n"
            "  proof options of p: the depth was used up\n"
            "  refutation options of p: the depth was used up\n"
            "  proof options of q: the depth was used up\n"
            "  refutation options of q: the depth was used up\n"
            "  proof options of r: the depth was used up\n"
            "  refutation options of r: the depth was used up\n");

  const Outcome plain = Call({"--depth", "1"}, theory);
  EXPECT_EQ(plain.out.find("[check]"), std::string::npos);
  const Outcome example = Call({"--example", "Lindqvar and Serrapel, Fig. 3", "--area", "check"});
  EXPECT_EQ(example.out.substr(0, 101),
            "[check]\n3 of 4 exact preferred extensions are listed; missing: e g. The grounded "
            "extension is right.\n");
}

// Each format written by --to reads back (by --from, or by the file's ending) into the same
// theory; the run on a framework file is the run on its line-syntax rendering.
TEST_F(CommandLineTest, FormatsRoundTripThroughFromAndTo) {
  const std::string theory = "a b c, b c, c d, d, e\n";
  struct Case {
    std::string format;
    std::string file_name;
  };
  const Case kCases[] = {
      {"text", "theory.txt"}, {"i23", "theory.i23"}, {"apx", "theory.apx"}, {"tgf", "theory.tgf"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.format);
    const Outcome written = Call({"--to", c.format}, theory);
    ASSERT_EQ(written.exit_code, 0) << written.err;
    const std::filesystem::path file = dir_.path() / c.file_name;
    std::ofstream(file, std::ios::binary) << written.out;
    EXPECT_EQ(Call({"--to", c.format, file.string()}).out, written.out);
    EXPECT_EQ(Call({"--from", c.format, "--to", c.format}, written.out).out, written.out);
    const std::string areas = Timeless(Call({"--no-trace", file.string()}).out);
    if (c.format == "i23") {
      // i23 keeps no names: the arguments are numbered in order.
      EXPECT_NE(areas.find("Preferred extensions\n  2 4 5 (1 3)\n"), std::string::npos) << areas;
    } else {
      EXPECT_EQ(areas, Timeless(Call({"--no-trace"}, theory).out));
    }
  }
  EXPECT_EQ(Call({"--to", "apx"}, theory).out,
            "arg(a).\narg(b).\narg(c).\narg(d).\narg(e).\natt(b,a).\natt(c,a).\n"
            "att(c,b).\natt(d,c).\n");
}

TEST_F(CommandLineTest, AMalformedFrameworkFileGivesTheReadersMessageAndNothingElse) {
  struct Case {
    std::string file_name;
    std::string text;
    std::vector<std::string> options;
    std::string message;
  };
  const Case kCases[] = {
      {"bad.apx", "arg(a).\natt(a,b).\n", {}, ":2:7: argument \"b\" is not declared"},
      {"bad.i23", "p af 2\n1 3\n", {"--area", "check"}, ":2:3: expected an argument number"},
      {"bad.txt", "a\n#\na b\n", {"--from", "tgf"}, ":3:3: argument \"b\" is not declared"},
      {"names.tgf", "a,b\n#\n", {"--to", "i23"}, "cannot be written in the line syntax"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.file_name);
    const std::filesystem::path file = dir_.path() / c.file_name;
    std::ofstream(file, std::ios::binary) << c.text;
    std::vector<std::string> args = c.options;
    args.push_back(file.string());
    const Outcome outcome = Call(args);
    EXPECT_EQ(outcome.exit_code, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), std::string::npos) << outcome.err;
  }
  const Outcome from_stdin = Call({"--from", "i23"}, "p af one\n");
  EXPECT_EQ(from_stdin.exit_code, 1);
  EXPECT_EQ(from_stdin.err.rfind("<stdin>:1:", 0), 0u) << from_stdin.err;
}

// --to dot writes the graph the Graph window shows after a run: grounded colours, no run.
TEST_F(CommandLineTest, ToDotWritesTheGroundedGraphWithoutRunning) {
  const std::filesystem::path data = DIALECTIC_GRAPH_DATA_DIR;
  const struct {
    const char* input;
    const char* golden;
  } kCases[] = {
      {"a b\nb c\n", "chain_grounded.dot"},
      {"a a, b a, c b d, d c\n", "loops_grounded.dot"},
  };
  for (const auto& c : kCases) {
    std::ifstream golden(data / c.golden, std::ios::binary);
    std::ostringstream expected;
    expected << golden.rdbuf();
    const Outcome dot = Call({"--to", "dot"}, c.input);
    EXPECT_EQ(dot.exit_code, 0);
    EXPECT_EQ(dot.out, expected.str()) << c.golden;
    EXPECT_EQ(dot.err, "");
  }
}

TEST_F(CommandLineTest, FormatOptionsAndVersion) {
  const Outcome unknown = Call({"--to", "xml"});
  EXPECT_EQ(unknown.exit_code, 2);
  EXPECT_EQ(unknown.err,
            "dialectic-cli: unknown format \"xml\" (text, i23, apx, tgf or dot) (see --help)");
  EXPECT_EQ(Call({"--from", "dot"}).err,
            "dialectic-cli: unknown format \"dot\" (text, i23, apx or tgf) (see --help)");
  EXPECT_EQ(Call({"--from", "apx", "--example", "Even cycle"}).exit_code, 2);
  const Outcome version = Call({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("dialectic-cli [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.out;
}

TEST_F(CommandLineTest, AByteOrderMarkIsSkippedInEveryFormat) {
  const std::string kMark = "\xEF\xBB\xBF";
  struct Case {
    std::string format;
    std::string text;
  };
  const Case cases[] = {
      {"text", "a b\n"},
      {"i23", "p af 2\n2 1\n"},
      {"apx", "arg(a).\narg(b).\natt(b,a).\n"},
      {"tgf", "a\nb\n#\nb a\n"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path path = dir_.path() / ("marked." + c.format);
    std::ofstream(path, std::ios::binary) << kMark << c.text;
    const Outcome marked = Call({"--from", c.format, "--to", "tgf", path.string()});
    const Outcome piped = Call({"--from", c.format, "--to", "tgf"}, kMark + c.text);
    EXPECT_EQ(marked.exit_code, 0) << c.format << ": " << marked.err;
    EXPECT_EQ(marked.out, c.format == "i23" ? "1\n2\n#\n2 1\n" : "a\nb\n#\nb a\n") << c.format;
    EXPECT_EQ(piped.out, marked.out) << c.format;
  }
}

// The budget is held before the theory is built (out_of_memory_test.cpp shows that refusing takes
// no memory), and a smaller budget refuses a smaller theory of any format.
TEST_F(CommandLineTest, ATheoryPastTheMemoryBudgetIsRefusedWithItsSizeAndTheBudget) {
  std::string chain;
  for (int i = 0; i < 300; ++i)
    chain += "a" + std::to_string(i) + " a" + std::to_string(i + 1) + "\n";
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string message;  // empty when the run goes ahead
  };
  const Case cases[] = {
      {{"--from", "i23"},
       "p af 10000000\n",
       "The theory has 10000000 arguments and 0 attacks; its run would take at least 9766 MB of "
       "memory, more than the budget of 1 GB."},
      {{"--from", "i23", "--memory-budget", "20000", "--to", "i23"}, "p af 3\n", ""},
      {{"--from", "i23", "--memory-budget", "1"},
       "p af 2000\n",
       "The theory has 2000 arguments and 0 attacks; its run would take at least 2 MB of memory, "
       "more than the budget of 1 MB."},
      {{"--memory-budget=1"},
       chain,
       "The theory has 301 arguments and 300 attacks; its run would take at least 2 MB of memory, "
       "more than the budget of 1 MB."},
      {{"--memory-budget=2", "--area", "rephrased"}, chain, ""},
      {{"--from", "tgf", "--memory-budget", "1"}, "a\nb\n#\na b\n", ""},
      // Writing the theory runs nothing, so no budget holds it back.
      {{"--from", "i23", "--memory-budget", "1", "--to", "i23"}, "p af 2000\n", ""},
      {{"--memory-budget", "1", "--to", "tgf"}, chain, ""},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Call(c.args, c.input);
    if (c.message.empty()) {
      EXPECT_EQ(outcome.exit_code, kExitOk) << outcome.err;
      EXPECT_NE(outcome.out, "");
    } else {
      EXPECT_EQ(outcome.exit_code, kExitFileError);
      EXPECT_EQ(outcome.out, "");
      EXPECT_EQ(outcome.err, c.message);
    }
  }
  for (const std::string bad : {"0", "-1", "1.5", "x", ""}) {
    const Outcome outcome = Call({"--memory-budget", bad}, "a");
    EXPECT_EQ(outcome.exit_code, kExitUsage) << bad;
    EXPECT_EQ(outcome.err, "dialectic-cli: the memory budget \"" + bad +
                               "\" is not a number of megabytes (see --help)");
  }
}

// The real program against a standard output that cannot be written, and a standard input that
// never ends.
TEST_F(CommandLineTest, TheProgramExitsOneWhenItsOutputFailsOrItsInputIsUnbounded) {
  const std::string input = (dir_.path() / "theory.txt").string();
  std::ofstream(input) << "a b, b c\n";
  const std::string err = (dir_.path() / "err.txt").string();
  struct Case {
    std::vector<std::string> args;
    std::string in, out;
    std::string message;  // how standard error starts
  };
  const Case cases[] = {
      {{DIALECTIC_CLI, input},
       "/dev/null",
       "/dev/full",
       "dialectic-cli: Cannot write standard output."},
      {{DIALECTIC_CLI, "--list-examples"},
       "/dev/null",
       "/dev/full",
       "dialectic-cli: Cannot write standard output."},
      {{DIALECTIC_CLI, "--help"},
       "/dev/null",
       "/dev/full",
       "dialectic-cli: Cannot write standard output."},
      {{DIALECTIC_CLI},
       "/dev/zero",
       "/dev/null",
       "dialectic-cli: Cannot read standard input. It holds more than the 64 MB"},
      {{DIALECTIC_CLI, "/dev/zero"},
       "/dev/null",
       "/dev/null",
       "dialectic-cli: Cannot open file \"/dev/zero\". It is a device"},
  };
  for (const Case& c : cases) {
    const ProgramEnd end = RunProgram(c.args, c.in, c.out, err);
    EXPECT_TRUE(end.exited) << c.message;
    EXPECT_EQ(end.status, kExitFileError) << c.message;
    std::ifstream written(err);
    const std::string message(std::istreambuf_iterator<char>(written), {});
    EXPECT_TRUE(message.starts_with(c.message)) << message;
  }
}

}  // namespace
}  // namespace dialectic
