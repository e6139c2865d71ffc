#include "app/cli/solver_command.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/cli/command_line.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

constexpr std::string_view kUsageLine =
    "usage: dialectic-solve -p TASK -f FILE [-fo i23|apx|tgf] [-a ARGUMENT] [--explain] [--json] "
    "| --formats | --problems\n";

// The frameworks the cases ask about, each written into the test's folder under its file name.
struct FrameworkFile {
  std::string name;
  std::string text;
};

const FrameworkFile kFiles[] = {
    // 1 <-> 2: two preferred and stable extensions.
    {"even.i23", "p af 2\n1 2\n2 1\n"},
    // 1 -> 2 -> 3 -> 1: no stable extension; the empty set is the only complete one.
    {"odd.af", "# an odd cycle\np af 3\n1 2\n2 3\n3 1\n"},
    // Two separate attacks, with a comment and a blank line; the grounded extension is {1, 3}.
    {"pairs.i23", "p af 4\n# pairs\n\n1 2\n3 4\n"},
    // a <-> b, b -> c, and d attacking itself, which nothing else attacks: no stable extension,
    // two preferred ones that are also semi-stable and stage.
    {"names.apx",
     "arg(a). arg(b).\narg(c).\narg(d).\natt(a,b).\natt(b, a).\natt(b,c). att(d,d).\n"},
    // A chain p -> q1 -> r whose names are not in alphabetical order by position.
    {"chain.tgf", "r\nq1\np\n#\np q1\nq1 r\n"},
    // The even cycle again, in a file whose name gives no format.
    {"even.txt", "p af 2\n1 2\n2 1\n"},
};

struct Outcome {
  int exit_code;
  std::string out, err;
};

class SolverCommandTest : public ::testing::Test {
 protected:
  SolverCommandTest() {
    for (const FrameworkFile& file : kFiles) {
      std::ofstream(Path(file.name), std::ios::binary) << file.text;
    }
  }

  std::string Path(const std::string& name) const { return (dir_.path() / name).string(); }

  // Runs the command; every argument that names a file of the folder is given its full path.
  Outcome Call(std::vector<std::string> args) {
    for (std::string& arg : args) {
      if (std::filesystem::exists(dir_.path() / arg)) arg = Path(arg);
    }
    std::ostringstream out, err;
    const int code = RunSolverCommand(args, out, err, context_);
    return {code, out.str(), err.str()};
  }

  TempDir dir_;
  RunContext context_;
};

// The lines of the text in sorted order.
std::string SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line + '\n');
  std::sort(lines.begin(), lines.end());
  std::string sorted;
  for (const std::string& line : lines) sorted += line;
  return sorted;
}

TEST_F(SolverCommandTest, AnswersEveryKindOfTaskInTheCompetitionsWords) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  // Every expected answer is the only right one: where a semantics has several extensions, the
  // case asks about an argument that only one of them holds or lists them all.
  const Case cases[] = {
      // Numbers for i23.
      {{"-p", "EE-PR", "-f", "even.i23"}, "w 1\nw 2\n"},
      {{"-p", "EE-ST", "-f", "even.i23"}, "w 1\nw 2\n"},
      {{"-p", "EE-CO", "-f", "even.i23"}, "w\nw 1\nw 2\n"},
      {{"-p", "CE-PR", "-f", "even.i23"}, "2\n"},
      {{"-p", "CE-CO", "-f", "even.i23"}, "3\n"},
      {{"-p", "DC-PR", "-f", "even.i23", "-a", "2"}, "YES\nw 2\n"},
      {{"-p", "DS-PR", "-f", "even.i23", "-a", "1"}, "NO\nw 2\n"},
      {{"-p", "DC-GR", "-f", "even.i23", "-a", "1"}, "NO\n"},
      {{"-p", "SE-GR", "-f", "even.i23"}, "w\n"},
      {{"-p", "SE-ID", "-f", "even.i23"}, "w\n"},
      {{"-p", "SE-ST", "-f", "odd.af"}, "NO\n"},
      {{"-p", "EE-ST", "-f", "odd.af"}, ""},
      {{"-p", "CE-ST", "-f", "odd.af"}, "0\n"},
      {{"-p", "DS-ST", "-f", "odd.af", "-a", "1"}, "YES\n"},
      {{"-p", "DC-ST", "-f", "odd.af", "-a", "1"}, "NO\n"},
      {{"-p", "DS-CO", "-f", "odd.af", "-a", "3"}, "NO\nw\n"},
      {{"-p", "SE-SST", "-f", "odd.af"}, "w\n"},
      {{"-p", "EE-STG", "-f", "odd.af"}, "w 1\nw 2\nw 3\n"},
      {{"-p", "SE-CO", "-f", "pairs.i23"}, "w 1 3\n"},
      {{"-p", "EE-GR", "-f", "pairs.i23"}, "w 1 3\n"},
      {{"-p", "CE-GR", "-f", "pairs.i23"}, "1\n"},
      {{"-p", "DS-ID", "-f", "pairs.i23", "-a", "3"}, "YES\n"},
      {{"-p", "DC-GR", "-f", "pairs.i23", "-a", "3"}, "YES\nw 1 3\n"},
      // Names for APX and TGF.
      {{"-p", "EE-PR", "-f", "names.apx"}, "w a c\nw b\n"},
      {{"-p", "EE-SST", "-f", "names.apx"}, "w a c\nw b\n"},
      {{"-p", "CE-STG", "-f", "names.apx"}, "2\n"},
      {{"-p", "SE-ST", "-f", "names.apx"}, "NO\n"},
      {{"-p", "DS-ST", "-f", "names.apx", "-a", "c"}, "YES\n"},
      {{"-p", "DC-STG", "-f", "names.apx", "-a", "c"}, "YES\nw a c\n"},
      {{"-p", "DS-SST", "-f", "names.apx", "-a", "c"}, "NO\nw b\n"},
      {{"-p", "DC-CO", "-f", "names.apx", "-a", "d"}, "NO\n"},
      {{"-p", "DC-ID", "-f", "names.apx", "-a", "a"}, "NO\n"},
      {{"-p", "EE-ID", "-f", "names.apx"}, "w\n"},
      {{"-p", "SE-PR", "-f", "chain.tgf"}, "w r p\n"},
      {{"-p", "DC-CO", "-f", "chain.tgf", "-a", "r"}, "YES\nw r p\n"},
      {{"-p", "DS-STG", "-f", "chain.tgf", "-a", "q1"}, "NO\nw r p\n"},
      {{"-p", "DS-PR", "-f", "chain.tgf", "-a", "p"}, "YES\n"},
      {{"-p", "CE-ID", "-f", "chain.tgf"}, "1\n"},
      // Admissible: the empty set always, so never a sceptical yes; naive: maximal conflict-free.
      {{"-p", "EE-ADM", "-f", "even.i23"}, "w\nw 1\nw 2\n"},
      {{"-p", "CE-ADM", "-f", "odd.af"}, "1\n"},
      {{"-p", "SE-ADM", "-f", "pairs.i23"}, "w\n"},
      {{"-p", "DS-ADM", "-f", "pairs.i23", "-a", "1"}, "NO\nw\n"},
      {{"-p", "DC-ADM", "-f", "names.apx", "-a", "c"}, "YES\nw a c\n"},
      {{"-p", "DC-ADM", "-f", "names.apx", "-a", "d"}, "NO\n"},
      {{"-p", "EE-NA", "-f", "names.apx"}, "w a c\nw b\n"},
      {{"-p", "DC-NA", "-f", "odd.af", "-a", "2"}, "YES\nw 2\n"},
      {{"-p", "DS-NA", "-f", "pairs.i23", "-a", "1"}, "NO\nw 2 3\n"},
      {{"-p", "DS-NA", "-f", "chain.tgf", "-a", "p"}, "NO\nw q1\n"},
      {{"-p", "CE-NA", "-f", "odd.af"}, "3\n"},
      // The format named on the command line, whatever the file's name says.
      {{"-p", "EE-PR", "-f", "even.txt", "-fo", "i23"}, "w 1\nw 2\n"},
      {{"-fo", "apx", "-a", "b", "-p", "DC-PR", "-f", "names.apx"}, "YES\nw b\n"},
  };
  for (const Case& c : cases) {
    const std::string task = *(std::find(c.args.begin(), c.args.end(), "-p") + 1);
    SCOPED_TRACE(task + " " + c.args.back());
    const Outcome outcome = Call(c.args);
    EXPECT_EQ(outcome.exit_code, kExitOk);
    // Extensions come in the engine's order; every other answer has one order.
    EXPECT_EQ(task.starts_with("EE") ? SortedLines(outcome.out) : outcome.out, c.out);
    EXPECT_EQ(outcome.err, "");
  }
}

TEST_F(SolverCommandTest, ExplainsAnAnswerAfterItInLinesATreeNodeEach) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{"-p", "DC-GR", "-f", "chain.tgf", "-a", "r"},
       "YES\nw r p\nr is IN in the grounded labeling, in round 2: each attacker is OUT, attacked "
       "by an argument IN in an earlier round.\nproponent r (round 2)\n  opponent q1\n    "
       "proponent p (round 1)\n"},
      {{"-p", "DC-GR", "-f", "chain.tgf", "-a", "q1"},
       "NO\nq1 is OUT in the grounded labeling: p attacks it and is IN.\nopponent q1\n  "
       "proponent p (round 1)\n"},
      {{"-p", "DC-GR", "-f", "odd.af", "-a", "2"},
       "NO\n2 is undecided in the grounded labeling: its attacker 1 is neither OUT nor IN.\nIt "
       "depends on the cycle 1 -> 2 -> 3 -> 1.\n"},
      {{"-p", "DC-PR", "-f", "names.apx", "-a", "c"},
       "YES\nw a c\nThe set {a, c} is a minimal admissible set holding c; it is part of a "
       "preferred extension.\nIts defence: every attacker of a proponent is answered by a "
       "proponent.\nproponent c\n  opponent b\n    proponent a\n      opponent b (as above)\n"},
      {{"-p", "DC-ADM", "-f", "names.apx", "-a", "d"},
       "NO\nNo admissible set holds d. However the proponent defends it, the opponent has an "
       "attack it cannot answer without a conflict:\nproponent d\n  opponent d\n"},
      {{"-p", "DS-PR", "-f", "even.i23", "-a", "1"},
       "NO\nw 2\nThe preferred extension {2} does not hold 1: 1 is OUT, attacked by 2.\n"},
      {{"-p", "DS-ST", "-f", "names.apx", "-a", "c"},
       "YES\nThere is no stable extension, so every one there is holds c.\n"},
      {{"-p", "DS-ADM", "-f", "pairs.i23", "-a", "1"},
       "NO\nw\nThe admissible extension {} does not hold 1: nothing in it attacks 1, which is "
       "undecided.\n"},
      // 2 attacks 3, the attacker of 1, and nothing attacks 1: outside the range.
      {{"-p", "DS-STG", "-f", "odd.af", "-a", "1"},
       "NO\nw 2\nThe stage extension {2} does not hold 1: nothing in it attacks 1, which is "
       "undecided.\n"},
      {{"-p", "DC-NA", "-f", "names.apx", "-a", "d"},
       "NO\nd attacks itself, so no conflict-free set holds it.\n"},
      {{"-p", "DS-NA", "-f", "names.apx", "-a", "c"},
       "NO\nw b\nThe naive extension {b} does not hold c: c conflicts with b, which is in it.\n"},
      {{"-p", "DS-PR", "-f", "pairs.i23", "-a", "3"},
       "YES\nOf the 1 preferred extensions, each holds 3:\n  {1, 3}\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("--explain");
    SCOPED_TRACE(c.args[1] + " " + c.args.back());
    const Outcome outcome = Call(args);
    EXPECT_EQ(outcome.exit_code, kExitOk);
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, "");
  }
}

TEST_F(SolverCommandTest, WritesEveryTaskAsOneJsonObjectWhenAsked) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{"-p", "DC-PR", "-f", "names.apx", "-a", "c"},
       R"({"task":"DC-PR","argument":"c","answer":"YES","certificate":["a","c"]})"},
      {{"-p", "DS-ST", "-f", "odd.af", "-a", "1"},
       R"({"task":"DS-ST","argument":"1","answer":"YES","certificate":null})"},
      {{"-p", "SE-ST", "-f", "odd.af"}, R"({"task":"SE-ST","answer":"NO","certificate":null})"},
      {{"-p", "SE-GR", "-f", "pairs.i23"},
       R"({"task":"SE-GR","answer":"YES","certificate":["1","3"]})"},
      {{"-p", "EE-GR", "-f", "chain.tgf"},
       R"({"task":"EE-GR","extensions":[["r","p"]],"count":1})"},
      {{"-p", "CE-CO", "-f", "even.i23"}, R"({"task":"CE-CO","count":3})"},
      {{"-p", "DC-GR", "-f", "chain.tgf", "-a", "q1", "--explain"},
       R"({"task":"DC-GR","argument":"q1","answer":"NO","certificate":null,"explanation":)"
       R"({"kind":"grounded-proof","tree":{"argument":"q1","role":"opponent","children":)"
       R"([{"argument":"p","role":"proponent","children":[],"round":1}]}}})"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("--json");
    SCOPED_TRACE(c.args[1]);
    const Outcome outcome = Call(args);
    EXPECT_EQ(outcome.exit_code, kExitOk);
    // Compared without the layout's spaces and line breaks; no name here has either.
    std::string compact;
    for (const char ch : outcome.out) {
      if (ch != ' ' && ch != '\n') compact += ch;
    }
    EXPECT_EQ(compact, c.out);
    EXPECT_EQ(outcome.err, "");
  }
}

TEST_F(SolverCommandTest, ListsTheFormatsAndTheTasks) {
  EXPECT_EQ(Call({"--formats"}).out, "[i23,apx,tgf]\n");
  EXPECT_EQ(Call({"--problems"}).out,
            "[DC-CO,DS-CO,SE-CO,EE-CO,CE-CO,DC-PR,DS-PR,SE-PR,EE-PR,CE-PR,DC-ST,DS-ST,SE-ST,EE-ST,"
            "CE-ST,DC-SST,DS-SST,SE-SST,EE-SST,CE-SST,DC-STG,DS-STG,SE-STG,EE-STG,CE-STG,DC-ID,"
            "DS-ID,SE-ID,EE-ID,CE-ID,DC-GR,SE-GR,EE-GR,CE-GR,DC-ADM,DS-ADM,SE-ADM,EE-ADM,CE-ADM,"
            "DC-NA,DS-NA,SE-NA,EE-NA,CE-NA]\n");
  const Outcome help = Call({"--help"});
  EXPECT_EQ(help.exit_code, kExitOk);
  EXPECT_EQ(help.out.rfind(kUsageLine, 0), 0u);
}

TEST_F(SolverCommandTest, BadUsageExitsWithTwoAMessageAndTheUsageLine) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::string even = Path("even.i23");
  const Case cases[] = {
      {{}, "no task given (-p)"},
      {{"-f", "even.i23"}, "no task given (-p)"},
      {{"-p", "XX-CO", "-f", "even.i23"}, "unknown task \"XX-CO\" (see --problems)"},
      {{"-p", "DS-GR", "-f", "even.i23", "-a", "1"}, "unknown task \"DS-GR\" (see --problems)"},
      {{"-p", "dc-pr", "-f", "even.i23", "-a", "1"}, "unknown task \"dc-pr\" (see --problems)"},
      {{"-p", "SE-PR"}, "no input file given (-f)"},
      {{"-p", "DC-PR", "-f", "even.i23"}, "task DC-PR needs an argument (-a)"},
      {{"-p", "DS-ST", "-f", "even.i23"}, "task DS-ST needs an argument (-a)"},
      {{"-p", "SE-PR", "-f", "even.i23", "-a", "1"}, "task SE-PR takes no argument (-a)"},
      {{"-p", "EE-PR", "-f", "even.i23", "--explain"},
       "task EE-PR has nothing to explain (--explain is for DC and DS)"},
      {{"-p", "DC-PR", "-f", "even.i23", "-a", "3"}, "no argument 3 in " + even},
      {{"-p", "DC-PR", "-f", "even.i23", "-a", "01"}, "no argument 01 in " + even},
      {{"-p", "DC-PR", "-f", "names.apx", "-a", "1"}, "no argument 1 in " + Path("names.apx")},
      {{"-p", "SE-PR", "-f", "even.i23", "-fo", "text"},
       "unknown file format \"text\" (i23, apx or tgf)"},
      {{"-p"}, "option -p needs a value"},
      {{"-p", "SE-PR", "-f", "even.i23", "-p", "SE-CO"}, "option -p given twice"},
      {{"--bogus"}, "unknown option --bogus"},
      {{"-p", "SE-PR", "even.i23"}, "unexpected word \"" + even + "\" (the input file follows -f)"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Call(c.args);
    EXPECT_EQ(outcome.exit_code, kExitUsage) << c.message;
    EXPECT_EQ(outcome.err, "dialectic-solve: " + c.message + "\n" + std::string(kUsageLine));
    EXPECT_EQ(outcome.out, "");
  }
}

TEST_F(SolverCommandTest, UnreadableOrMalformedFilesExitWithOneAndTheReason) {
  struct Case {
    std::string name, text;
    std::string where;  // the place the message names, after the file name
  };
  const Case cases[] = {
      {"attack.i23", "p af 2\n1 3\n", ":2:3: "},
      {"header.i23", "1 2\n", ":1:1: "},
      {"undeclared.apx", "arg(a).\natt(a,b).\n", ":2:7: "},
      {"unclosed.apx", "arg(a).\narg(b\n", ":3:1: "},
      {"edge.tgf", "a\nb\n#\na\n", ":4:2: "},
  };
  for (const Case& c : cases) {
    std::ofstream(Path(c.name), std::ios::binary) << c.text;
    const Outcome outcome = Call({"-p", "SE-PR", "-f", c.name});
    EXPECT_EQ(outcome.exit_code, kExitFileError) << c.name;
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(
        std::regex_match(outcome.err, std::regex(Path(c.name) + c.where + ".*expected.*\n")))
        << outcome.err;
  }
  const Outcome missing = Call({"-p", "SE-PR", "-f", Path("missing.apx")});
  EXPECT_EQ(missing.exit_code, kExitFileError);
  EXPECT_EQ(missing.err, "dialectic-solve: Cannot open file \"" + Path("missing.apx") +
                             "\". No such file or directory\n");
}

TEST_F(SolverCommandTest, AStoppedTaskPrintsNothingAndExits130) {
  context_.RequestStop();
  for (const std::string task : {"EE-PR", "CE-CO", "SE-ST"}) {
    const Outcome outcome = Call({"-p", task, "-f", "even.i23"});
    EXPECT_EQ(outcome.exit_code, kExitStopped) << task;
    EXPECT_EQ(outcome.out, "") << task;
  }
  const Outcome credulous = Call({"-p", "DC-PR", "-f", "even.i23", "-a", "1"});
  EXPECT_EQ(credulous.exit_code, kExitStopped);
  EXPECT_EQ(credulous.out, "");
}

TEST_F(SolverCommandTest, CountsPastSixtyFourBitsArePrintedInFull) {
  // 70 independent even cycles: 2^70 preferred and 3^70 complete extensions.
  {
    std::ofstream pairs(Path("pairs70.i23"));
    pairs << "p af 140\n";
    for (int i = 1; i < 140; i += 2)
      pairs << i << ' ' << i + 1 << '\n' << i + 1 << ' ' << i << '\n';
  }
  struct Case {
    std::string task;
    std::string out;
  };
  const Case cases[] = {
      {"CE-PR", "1180591620717411303424\n"},
      {"CE-CO", "2503155504993241601315571986085849\n"},
      {"CE-GR", "1\n"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Call({"-p", c.task, "-f", "pairs70.i23"});
    EXPECT_EQ(outcome.exit_code, 0) << c.task;
    EXPECT_EQ(outcome.out, c.out) << c.task;
  }
}

// The real program under Ctrl+C, counting the 2^40 preferred extensions of 40 even cycles. Each
// argument also attacks one self-attacking argument, which joins them into one component without
// changing the extensions, so that the count cannot be taken part by part.
TEST_F(SolverCommandTest, InterruptedProgramExits130WithoutAnAnswer) {
  const std::string input = Path("pairs40.i23");
  const std::string output = Path("out.txt");
  {
    std::ofstream pairs(input);
    pairs << "p af 81\n81 81\n";
    for (int i = 1; i < 80; i += 2) {
      pairs << i << ' ' << i + 1 << '\n' << i + 1 << ' ' << i << '\n';
      pairs << i << " 81\n" << i + 1 << " 81\n";
    }
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (std::freopen(output.c_str(), "w", stdout) == nullptr) _exit(99);
    execl(DIALECTIC_SOLVE, DIALECTIC_SOLVE, "-p", "CE-PR", "-f", input.c_str(), nullptr);
    _exit(98);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitStopped);
  std::ifstream printed(output);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(printed), {}), "");
}

TEST_F(SolverCommandTest, ReadsAFileOfAnyOtherNameAsI23AndSkipsAByteOrderMark) {
  const std::string kMark = "\xEF\xBB\xBF";
  std::ofstream(Path("marked.apx"), std::ios::binary) << kMark << "arg(a).\narg(b).\natt(a,b).\n";
  std::ofstream(Path("marked.tgf"), std::ios::binary) << kMark << "a\nb\n#\na b\n";
  std::ofstream(Path("marked"), std::ios::binary) << kMark << "p af 2\n1 2\n";
  std::ofstream(Path("binary.i23"), std::ios::binary) << std::string("p af 2\n1 2\0\n", 13);
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string out, err;
  };
  const Case cases[] = {
      {{"-p", "SE-ST", "-f", "even.txt"}, kExitOk, "w 1\n", ""},
      {{"-p", "SE-GR", "-f", "marked.apx"}, kExitOk, "w a\n", ""},
      {{"-p", "SE-GR", "-f", "marked.tgf"}, kExitOk, "w a\n", ""},
      {{"-p", "SE-GR", "-f", "marked"}, kExitOk, "w 1\n", ""},
      {{"-p", "SE-GR", "-f", "binary.i23"},
       kExitFileError,
       "",
       "dialectic-solve: Cannot read \"" + Path("binary.i23") +
           "\" as a theory. Byte 11 is a NUL byte: it is not a text file.\n"},
      {{"-p", "SE-GR", "-f", "/dev/zero"},
       kExitFileError,
       "",
       "dialectic-solve: Cannot open file \"/dev/zero\". It is a device, not a regular file.\n"},
      {{"-p", "SE-GR", "-f", "/dev/zero", "-fo", "apx"},
       kExitFileError,
       "",
       "dialectic-solve: Cannot open file \"/dev/zero\". It is a device, not a regular file.\n"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Call(c.args);
    EXPECT_EQ(outcome.exit_code, c.exit_code) << c.args[3];
    EXPECT_EQ(outcome.out, c.out) << c.args[3];
    EXPECT_EQ(outcome.err, c.err) << c.args[3];
  }
  const Outcome version = Call({"--version"});
  EXPECT_EQ(version.exit_code, kExitOk);
  EXPECT_TRUE(
      std::regex_match(version.out, std::regex("dialectic-solve [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.out;
  EXPECT_NE(Call({"--help"}).out.find("any other name is read as i23"), std::string::npos);
}

// The 2^40 preferred extensions of 40 separate even cycles: an enumeration that does not end in
// any test's time unless something stops it.
std::string WritePairs(const std::string& path) {
  std::ofstream pairs(path);
  pairs << "p af 80\n";
  for (int i = 1; i < 80; i += 2) pairs << i << ' ' << i + 1 << '\n' << i + 1 << ' ' << i << '\n';
  return path;
}

TEST_F(SolverCommandTest, AnOutputThatCannotBeWrittenStopsTheEnumerationAndExitsOne) {
  const std::string input = WritePairs(Path("pairs40.i23"));
  const std::string err = Path("err.txt");
  for (const std::string task : {"EE-PR", "SE-PR", "CE-GR"}) {
    const ProgramEnd end = RunProgram({DIALECTIC_SOLVE, "-p", task, "-f", input}, "/dev/null",
                                      "/dev/full", err, 0, {}, std::chrono::seconds(60));
    EXPECT_FALSE(end.timed_out) << task << ": the enumeration went on after its output failed";
    EXPECT_TRUE(end.exited) << task;
    EXPECT_EQ(end.status, kExitFileError) << task;
    std::ifstream written(err);
    const std::string message(std::istreambuf_iterator<char>(written), {});
    EXPECT_TRUE(message.starts_with("dialectic-solve: Cannot write standard output.")) << message;
  }
  const ProgramEnd version =
      RunProgram({DIALECTIC_SOLVE, "--version"}, "/dev/null", "/dev/full", err);
  EXPECT_EQ(version.status, kExitFileError);
}

// Whether the line is "w" and the given number of argument numbers, each after one blank.
bool IsWitnessLine(std::string_view line, int numbers) {
  if (!line.starts_with('w')) return false;
  line.remove_prefix(1);
  for (int i = 0; i < numbers; ++i) {
    if (!line.starts_with(' ')) return false;
    line.remove_prefix(1);
    const std::size_t digits = std::min(line.find_first_not_of("0123456789"), line.size());
    if (digits == 0) return false;
    line.remove_prefix(digits);
  }
  return line.empty();
}

// What a competition harness does when the time is up: SIGTERM in the middle of an enumeration
// leaves only complete lines and an exit status that names the signal.
TEST_F(SolverCommandTest, TerminatedEnumerationLeavesOnlyCompleteLines) {
  const std::string input = WritePairs(Path("pairs40.i23"));
  const std::string output = Path("out.txt");
  for (const int signal : {SIGTERM, SIGINT}) {
    const ProgramEnd end =
        RunProgram({DIALECTIC_SOLVE, "-p", "EE-PR", "-f", input}, "/dev/null", output,
                   Path("err.txt"), signal, std::chrono::milliseconds(1000));
    ASSERT_TRUE(end.exited) << signal;
    EXPECT_EQ(end.status, 128 + signal);
    std::ifstream printed(output);
    const std::string text(std::istreambuf_iterator<char>(printed), {});
    // Several buffers' worth were written before the signal, so a line may have been cut.
    EXPECT_GT(text.size(), 10000u) << signal;
    EXPECT_TRUE(text.ends_with('\n')) << signal;
    // A second of enumeration writes about a million lines: each is read by hand, since a regular
    // expression took a minute over them.
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      ASSERT_TRUE(IsWitnessLine(line, 40)) << line;
    }
    EXPECT_GT(count, 0);
  }
}

}  // namespace
}  // namespace dialectic
