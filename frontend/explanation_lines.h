// An explanation as the lines a view lists, each with what it involves on the graph: a line of a
// tree stands for its node and involves the node's argument, its parent's and children's
// arguments and the attacks between them (in every tree a child attacks its parent); the other
// lines involve the whole explanation. Also the explainer, which asks the engine and explains its
// answer on a thread of its own.
// Every argument and attack of a highlight is one of the framework's.
// Thread safety: an Explainer may be used from any thread; its callback is called on the
// explainer's thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/explanation.h"
#include "frontend/task_thread.h"
#include "model/framework.h"
#include "model/run_context.h"

namespace dialectic {

// The arguments and attacks to pick out on the graph, by position, each once.
struct Highlight {
  std::vector<int> arguments;
  std::vector<Attack> attacks;

  friend bool operator==(const Highlight&, const Highlight&) = default;
};

struct ExplanationLine {
  std::string text;  // without a line end
  int node = -1;     // the tree node it shows, or -1
  Highlight highlight;
};

// The answer first ("a is credulously accepted under preferred semantics: YES."), then the
// explanation's text line by line.
std::vector<ExplanationLine> ExplanationLines(const exact::Explanation& explanation,
                                              exact::Semantics semantics,
                                              exact::AcceptanceQuestion question, int argument,
                                              bool accepted, const Framework& framework);

// What the whole explanation involves: the tree's arguments and attacks, else the argument with
// the extension, the cycles or the excluder's attack that the explanation names.
Highlight WholeHighlight(const exact::Explanation& explanation, int argument,
                         const Framework& framework);

// A finished explanation, or how far it came.
struct ExplanationResult {
  std::uint64_t generation = 0;
  bool stopped = false;
  bool accepted = false;
  std::vector<ExplanationLine> lines;  // empty when stopped
  Highlight whole;
};

class Explainer {
 public:
  using DoneCallback = std::function<void(ExplanationResult)>;
  Explainer() = default;
  ~Explainer();
  Explainer(const Explainer&) = delete;
  Explainer& operator=(const Explainer&) = delete;

  // Stops the explanation on its way and starts one of the argument (a position of the
  // framework); the callback gets the result, stopped or not. Gives the request's generation.
  std::uint64_t Start(std::shared_ptr<const Framework> framework, exact::Semantics semantics,
                      exact::AcceptanceQuestion question, int argument, DoneCallback done);
  void Stop();

 private:
  std::mutex mutex_;
  std::shared_ptr<RunContext> context_;  // guarded by mutex_; of the latest request
  std::uint64_t generation_ = 0;         // guarded by mutex_
  TaskThread thread_;                    // last, so that it ends first
};

}  // namespace dialectic
