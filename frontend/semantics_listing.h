// The exact extensions of a framework under one semantics, listed as the engine finds them, and
// every argument's credulous and sceptical acceptance under it, worked out on a thread of the
// listing's own. The extensions seen settle what they can (an argument in one of them is
// credulously accepted, one missing from one of them is not sceptically accepted); once the
// enumeration ends, by finishing or by reaching kMostCounted, the engine settles the rest argument
// by argument. Only the first kMostListed extensions are kept; the rest are counted. Thread safety:
// every member may be called from any thread; the change callback is called on the listing's thread
// and must only arrange for a later Snapshot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "exact/exact_engine.h"
#include "frontend/task_thread.h"
#include "model/framework.h"
#include "model/position_labeling.h"
#include "model/run_context.h"

namespace dialectic {

// The extensions kept for showing.
inline constexpr std::size_t kMostListed = 1000;
// The enumeration ends by itself after this many extensions; the count then says "at least".
inline constexpr std::uint64_t kMostCounted = 100000;

enum class Acceptance { kUnknown, kYes, kNo };

// The labeling an extension gives: its arguments IN, those it attacks OUT, the rest undecided.
PositionLabeling ExtensionLabeling(const ArgumentGraph& graph, const exact::Extension& extension);
// The labeling as the result areas write one: the IN names, then the OUT names in parentheses
// ("a c (b)", "(b)"), or "<empty>" when nothing is IN or OUT; names in position order.
std::string LabelingLine(const PositionLabeling& labeling, const std::vector<std::string>& names);

// How far a listing has come.
enum class ListingState {
  kIdle,      // nothing asked yet
  kListing,   // the enumeration goes on
  kDeciding,  // the extensions are in; the engine settles the acceptance left open
  kFinished,  // everything is known
  kStopped,   // stopped on request; what is known stays
};

// What a listing has found so far.
struct ListingSnapshot {
  std::uint64_t generation = 0;  // the Start it belongs to
  ListingState state = ListingState::kIdle;
  std::vector<exact::Extension> listed;  // from the index asked for, at most kMostListed in all
  std::uint64_t found = 0;               // extensions found so far
  bool count_capped = false;             // the enumeration ended at kMostCounted
  // By argument position.
  std::vector<Acceptance> credulous;
  std::vector<Acceptance> sceptical;
};

class SemanticsListing {
 public:
  using ChangeCallback = std::function<void()>;
  explicit SemanticsListing(ChangeCallback changed);
  // Stops the listing going on and waits for its thread.
  ~SemanticsListing();
  SemanticsListing(const SemanticsListing&) = delete;
  SemanticsListing& operator=(const SemanticsListing&) = delete;

  // Stops any listing going on and starts one of the framework under the semantics; gives its
  // generation.
  std::uint64_t Start(std::shared_ptr<const Framework> framework, exact::Semantics semantics);
  void Stop();
  // The state of the latest listing, with the kept extensions from index first_listed on.
  ListingSnapshot Snapshot(std::size_t first_listed = 0) const;

 private:
  struct Shared;
  void Run(const std::shared_ptr<Shared>& shared, const std::shared_ptr<const Framework>& framework,
           exact::Semantics semantics);

  ChangeCallback changed_;
  mutable std::mutex mutex_;
  std::shared_ptr<Shared> current_;  // guarded by mutex_
  std::uint64_t generation_ = 0;     // guarded by mutex_
  TaskThread thread_;                // last, so that it ends first
};

}  // namespace dialectic
