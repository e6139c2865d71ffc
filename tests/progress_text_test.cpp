#include "frontend/progress_text.h"

#include <gtest/gtest.h>

namespace dialectic {
namespace {

using std::chrono::milliseconds;

TEST(ProgressText, NumbersAreGroupedByThousands) {
  struct Case {
    std::uint64_t number;
    const char* text;
  };
  const Case kCases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1,000"},
      {12345, "12,345"},
      {123456, "123,456"},
      {1234567, "1,234,567"},
      {18446744073709551615u, "18,446,744,073,709,551,615"},
  };
  for (const Case& c : kCases) EXPECT_EQ(GroupedNumber(c.number), c.text) << c.number;
}

TEST(ProgressText, LineNamesThePhaseTheArgumentAndTheCandidates) {
  struct Case {
    Progress progress;
    milliseconds elapsed;
    bool stopping;
    const char* line;
  };
  const Case kCases[] = {
      {{RunPhase::kIdle, 0, 0, 0}, milliseconds(240), false, "Working, 0.2 s"},
      {{RunPhase::kGrounded, 0, 0, 0}, milliseconds(250), false, "Grounded extension, 0.3 s"},
      {{RunPhase::kOptions, 1234, 10000, 0},
       milliseconds(3210),
       false,
       "Options, argument 1,234 of 10,000, 3.2 s"},
      {{RunPhase::kOptions, 7, 9, 56789},
       milliseconds(61049),
       false,
       "Options, argument 7 of 9, 56,789 candidates examined, 61.0 s"},
      // A phase that has not reached its first argument yet names none.
      {{RunPhase::kPreferred, 0, 32, 5},
       milliseconds(999),
       false,
       "Preferred extensions, 5 candidates examined, 1.0 s"},
      {{RunPhase::kExact, 2, 3, 4}, milliseconds(1500), true, "Stopping, 1.5 s"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(ProgressLine(c.progress, c.elapsed, c.stopping), c.line);
  }
}

TEST(ProgressText, EndLineSaysHowTheRunEnded) {
  EXPECT_EQ(EndLine(true, milliseconds(12345)), "Done in 12.3 s");
  EXPECT_EQ(EndLine(false, milliseconds(400)), "Stopped after 0.4 s");
}

}  // namespace
}  // namespace dialectic
