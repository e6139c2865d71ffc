// Small helpers shared by the core tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <regex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "frontend/text_area.h"
#include "model/arg_index.h"
#include "model/proof_labeling.h"
#include "model/string_list.h"
#include "model/theory.h"
#include "model/theory_text.h"

namespace dialectic {

// Enters the text's lines (separated by LF) into the theory.
inline void ParseText(std::string_view text, TTheory& theory) {
  TextArea input;
  input.SetText(text);
  ParseInput(input, theory);
}

// The area's lines with every timing line replaced by "# ms elapsed", after checking its form.
inline StringList WithoutTimings(const TextArea& area) {
  static const std::regex kTiming("^[0-9]+ ms elapsed$");
  StringList lines = area.Lines();
  for (std::string& line : lines) {
    if (line.find("elapsed") == std::string::npos) continue;
    EXPECT_TRUE(std::regex_match(line, kTiming)) << line;
    line = "# ms elapsed";
  }
  return lines;
}

// The rank of the argument with exactly this name, which must exist.
inline int RankNamed(const TTheory& theory, const ArgIndex& index, std::string_view name) {
  const TArg* arg = theory.Find(name);
  EXPECT_NE(arg, nullptr) << name;
  return arg == nullptr ? 0 : index.RankOf(*arg);
}

// The set of the named arguments, added in order by the rule of name sets.
inline RankSet RanksNamed(const TTheory& theory, const ArgIndex& index, const StringList& names) {
  RankSet set;
  for (const std::string& name : names) set.AddName(RankNamed(theory, index, name), index);
  return set;
}

// The labeling with these IN and OUT names.
inline TProofLabeling LabelingNamed(const TTheory& theory, const ArgIndex& index,
                                    const StringList& in, const StringList& out) {
  TProofLabeling labeling;
  labeling.InArgs = RanksNamed(theory, index, in);
  labeling.OutArgs = RanksNamed(theory, index, out);
  return labeling;
}

// The names of the arguments in Args, trimmed of their ending blank, joined by ",".
inline std::string ArgNames(const TArgs& args) {
  std::string names;
  for (const TArg* arg : args) {
    if (!names.empty()) names += ',';
    names += arg->Name.substr(0, arg->Name.size() - 1);
  }
  return names;
}

// The trace of argument a in the theory "a b, b c" at depth 100.
inline const StringList kReinstatementTraceOfA = {
    "Partial proof options of a ",
    "0:",
    "  a",
    "1:",
    "  a (b)",
    "2:",
    "  a c (b)",
    "3:",
    "  <as previous level>",
    "",
    "Partial refutation options of a ",
    "0:",
    "  (a)",
    "1:",
    "  b (a)",
    "2:",
    "  b (a c)",
    "3:",
    "  <none>",
    "",
};

// A fresh directory under the system's temporary directory, removed with everything in it.
// How a program started by RunProgram ended.
struct ProgramEnd {
  bool exited = false;  // false when it was killed by a signal or ran past the deadline
  int status = -1;      // the exit status when it exited
  bool timed_out = false;
};

// Runs the program with its standard input, output and error on the named files, sends it the
// signal (when not 0) after signal_after, and waits for its end until the deadline, killing it
// after that. The test that calls this interrupts or starves a real program.
inline ProgramEnd RunProgram(const std::vector<std::string>& argv, const std::string& stdin_path,
                             const std::string& stdout_path, const std::string& stderr_path,
                             int signal = 0,
                             std::chrono::milliseconds signal_after = std::chrono::milliseconds(0),
                             std::chrono::milliseconds deadline = std::chrono::seconds(30)) {
  const pid_t child = fork();
  if (child == 0) {
    if (std::freopen(stdin_path.c_str(), "r", stdin) == nullptr ||
        std::freopen(stdout_path.c_str(), "w", stdout) == nullptr ||
        std::freopen(stderr_path.c_str(), "w", stderr) == nullptr) {
      _exit(99);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(98);
  }
  ProgramEnd end;
  if (child < 0) return end;
  const auto start = std::chrono::steady_clock::now();
  bool signalled = signal == 0;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) break;
    const auto now = std::chrono::steady_clock::now();
    if (!signalled && now - start >= signal_after) {
      kill(child, signal);
      signalled = true;
    }
    if (now - start >= deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      end.timed_out = true;
      return end;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  end.exited = WIFEXITED(status);
  end.status = end.exited ? WEXITSTATUS(status) : -1;
  return end;
}

class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("dialectic-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace dialectic
