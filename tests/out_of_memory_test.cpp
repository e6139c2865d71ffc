#include "frontend/out_of_memory.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/test_support.h"

namespace dialectic {
namespace {

struct ChildEnd {
  int status = -1;  // the exit status, or -1 when a signal ended the child
  int signal = 0;   // the signal that ended it
  std::string err;  // what it wrote on standard error
};

// Runs the work in a child process with standard error in a file.
ChildEnd InChild(const std::function<void()>& work) {
  TempDir dir;
  const std::string err_path = (dir.path() / "err.txt").string();
  const pid_t child = fork();
  if (child == 0) {
    if (std::freopen(err_path.c_str(), "w", stderr) == nullptr) _exit(99);
    work();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ChildEnd end;
  if (WIFEXITED(status)) end.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) end.signal = WTERMSIG(status);
  std::ifstream err(err_path);
  end.err.assign(std::istreambuf_iterator<char>(err), {});
  return end;
}

TEST(EndOnOutOfMemory, ABadAllocOnAnyThreadEndsWithAMessageAndStatusOne) {
  struct Case {
    std::string name;
    std::function<void()> work;
    int status, signal;
    std::string err;
  };
  const Case cases[] = {
      {"worker thread",
       [] {
         EndOnOutOfMemory("prog");
         std::thread([] { throw std::bad_alloc(); }).join();
       },
       kExitOutOfMemory, 0, "prog: Out of memory; the theory is too large for this machine.\n"},
      {"main thread",
       [] {
         EndOnOutOfMemory("other");
         // Out of a function that lets nothing escape, as out of a Qt event handler.
         void (*thrower)() = [] { throw std::bad_array_new_length(); };  // a kind of bad_alloc
         const auto handler = [thrower]() noexcept { thrower(); };
         handler();
       },
       kExitOutOfMemory, 0, "other: Out of memory; the theory is too large for this machine.\n"},
      // Any other escaping exception is a fault of the program and still aborts.
      {"other exception",
       [] {
         EndOnOutOfMemory("prog");
         std::thread([] { throw std::runtime_error("bug"); }).join();
       },
       -1, SIGABRT, ""},
  };
  for (const Case& c : cases) {
    const ChildEnd end = InChild(c.work);
    EXPECT_EQ(end.status, c.status) << c.name;
    EXPECT_EQ(end.signal, c.signal) << c.name;
    if (c.signal == 0) {
      EXPECT_EQ(end.err, c.err) << c.name;
    }
  }
}

// The real programs, given less address space than a theory within the budget needs: a message
// and status 1, where they used to abort with status 134. The sanitizers reserve far more address
// space than any such limit, so the sanitizer builds leave this out.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST(EndOnOutOfMemory, TheCommandLinesEndWithStatusOneWhenMemoryRunsOut) {
  TempDir dir;
  const std::string input = (dir.path() / "wide.i23").string();
  std::ofstream(input) << "p af 600000\n";
  // Ten million arguments are refused before anything is built for them: within the same limit,
  // the budget's message comes where building the names alone would run out of memory.
  const std::string huge = (dir.path() / "huge.i23").string();
  std::ofstream(huge) << "p af 10000000\n";
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{DIALECTIC_CLI, input},
       "dialectic-cli: Out of memory; the theory is too large for this machine.\n"},
      {{DIALECTIC_CLI, huge},
       "The theory has 10000000 arguments and 0 attacks; its run would take at least 9766 MB of "
       "memory, more than the budget of 1 GB.\n"},
  };
  for (const Case& c : cases) {
    const ChildEnd end = InChild([&c] {
      rlimit limit{};
      limit.rlim_cur = limit.rlim_max = rlim_t{200} << 20;
      setrlimit(RLIMIT_AS, &limit);
      if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(97);
      std::vector<char*> args;
      for (const std::string& arg : c.args) args.push_back(const_cast<char*>(arg.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(98);
    });
    EXPECT_EQ(end.status, kExitOutOfMemory) << c.args[0];
    EXPECT_EQ(end.err, c.message);
  }
}
#endif

}  // namespace
}  // namespace dialectic
