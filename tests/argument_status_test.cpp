#include "graph/argument_status.h"

#include <gtest/gtest.h>

#include "graph/shown_name.h"
#include "model/framework.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

TEST(ArgumentStatus, AnswersEveryQuestionForTheArgument) {
  struct Case {
    std::string_view input;
    int argument;  // position
    std::string_view expected;
  };
  const Case kCases[] = {
      {"a b, b c", 0,
       "complete: credulous yes, sceptical yes\npreferred: credulous yes, sceptical yes\n"
       "stable: credulous yes, sceptical yes\ngrounded: credulous yes, sceptical yes"},
      {"a b, b c", 1,
       "complete: credulous no, sceptical no\npreferred: credulous no, sceptical no\n"
       "stable: credulous no, sceptical no\ngrounded: credulous no, sceptical no"},
      // The even cycle: each side in some extension, neither in all.
      {"a b, b a", 0,
       "complete: credulous yes, sceptical no\npreferred: credulous yes, sceptical no\n"
       "stable: credulous yes, sceptical no\ngrounded: credulous no, sceptical no"},
      // The odd cycle has no stable extension.
      {"a c, b a, c b", 1,
       "complete: credulous no, sceptical no\npreferred: credulous no, sceptical no\n"
       "stable: no extension\ngrounded: credulous no, sceptical no"},
      // A self-attack is in no extension, and leaves no stable one.
      {"a a", 0,
       "complete: credulous no, sceptical no\npreferred: credulous no, sceptical no\n"
       "stable: no extension\ngrounded: credulous no, sceptical no"},
      // Preferred but not complete-sceptical: e is in both preferred extensions, not in the
      // grounded one.
      {"a b, b a, c a b, d c, e c", 4,
       "complete: credulous yes, sceptical no\npreferred: credulous yes, sceptical yes\n"
       "stable: credulous yes, sceptical yes\ngrounded: credulous no, sceptical no"},
  };
  for (const Case& c : kCases) {
    TTheory theory;
    ParseText(c.input, theory);
    const Framework graph = FrameworkOfTheory(theory);
    RunContext context;
    EXPECT_EQ(StatusText(ArgumentStatus(graph.Graph(), c.argument, context)), c.expected)
        << c.input << ", argument " << c.argument;
  }
}

TEST(ArgumentStatus, AStopLeavesTheSolverQuestionsUnsettled) {
  // Sceptical acceptance under complete semantics is membership of the grounded extension, which
  // the engine answers without the solver, stop or not.
  TTheory theory;
  ParseText("a b, b a", theory);
  RunContext context;
  context.RequestStop();
  EXPECT_EQ(StatusText(ArgumentStatus(FrameworkOfTheory(theory).Graph(), 0, context)),
            "complete: credulous not settled, sceptical no\n"
            "preferred: credulous not settled, sceptical not settled\n"
            "stable: credulous not settled, sceptical not settled\n"
            "grounded: credulous no, sceptical no");
}

}  // namespace
}  // namespace dialectic
