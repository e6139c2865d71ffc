#include "frontend/semantics_listing.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace dialectic {

PositionLabeling ExtensionLabeling(const ArgumentGraph& graph, const exact::Extension& extension) {
  PositionLabeling labeling;
  labeling.in = extension;
  std::vector<bool> out(static_cast<std::size_t>(graph.Size()), false);
  for (const int member : extension) {
    for (const int target : graph.targets[static_cast<std::size_t>(member)]) {
      out[static_cast<std::size_t>(target)] = true;
    }
  }
  for (int position = 0; position < graph.Size(); ++position) {
    if (out[static_cast<std::size_t>(position)]) labeling.out.push_back(position);
  }
  return labeling;
}

std::string LabelingLine(const PositionLabeling& labeling, const std::vector<std::string>& names) {
  if (labeling.in.empty() && labeling.out.empty()) return "<empty>";
  std::string line;
  for (const int position : labeling.in) {
    if (!line.empty()) line += ' ';
    line += names[static_cast<std::size_t>(position)];
  }
  if (!labeling.out.empty()) {
    if (!line.empty()) line += ' ';
    line += '(';
    for (std::size_t i = 0; i < labeling.out.size(); ++i) {
      if (i > 0) line += ' ';
      line += names[static_cast<std::size_t>(labeling.out[i])];
    }
    line += ')';
  }
  return line;
}

// One listing's results, shared by the listing's thread and whoever takes snapshots. A new Start
// makes a new one, so that a late report of an old listing changes nothing that is shown.
struct SemanticsListing::Shared {
  std::uint64_t generation = 0;
  // The enumeration ends on a stop request here, either the user's or the count's cap; the
  // engine's questions afterwards heed only the user's.
  RunContext enumeration;
  RunContext questions;
  std::atomic<bool> user_stopped{false};
  // Set once the changes reported have been taken by a snapshot: a burst of extensions then
  // reports once, not once each.
  std::atomic<bool> change_reported{false};

  mutable std::mutex mutex;
  ListingSnapshot found;  // guarded by mutex; its listed extensions from index 0
};

SemanticsListing::SemanticsListing(ChangeCallback changed) : changed_(std::move(changed)) {}

SemanticsListing::~SemanticsListing() { Stop(); }

std::uint64_t SemanticsListing::Start(std::shared_ptr<const Framework> framework,
                                      exact::Semantics semantics) {
  auto shared = std::make_shared<Shared>();
  const auto size = static_cast<std::size_t>(framework->Size());
  shared->found.state = ListingState::kListing;
  shared->found.credulous.assign(size, Acceptance::kUnknown);
  shared->found.sceptical.assign(size, Acceptance::kUnknown);
  {
    std::lock_guard lock(mutex_);
    if (current_ != nullptr) {
      current_->user_stopped = true;
      current_->enumeration.RequestStop();
      current_->questions.RequestStop();
    }
    shared->generation = ++generation_;
    shared->found.generation = shared->generation;
    current_ = shared;
  }
  thread_.Post([this, shared, framework = std::move(framework), semantics] {
    Run(shared, framework, semantics);
  });
  return shared->generation;
}

void SemanticsListing::Stop() {
  std::lock_guard lock(mutex_);
  if (current_ == nullptr) return;
  current_->user_stopped = true;
  current_->enumeration.RequestStop();
  current_->questions.RequestStop();
}

ListingSnapshot SemanticsListing::Snapshot(std::size_t first_listed) const {
  std::shared_ptr<Shared> shared;
  {
    std::lock_guard lock(mutex_);
    shared = current_;
  }
  if (shared == nullptr) return {};
  shared->change_reported = false;
  std::lock_guard lock(shared->mutex);
  ListingSnapshot snapshot;
  snapshot.generation = shared->found.generation;
  snapshot.state = shared->found.state;
  snapshot.found = shared->found.found;
  snapshot.count_capped = shared->found.count_capped;
  snapshot.credulous = shared->found.credulous;
  snapshot.sceptical = shared->found.sceptical;
  const std::vector<exact::Extension>& listed = shared->found.listed;
  if (first_listed < listed.size()) {
    snapshot.listed.assign(listed.begin() + static_cast<std::ptrdiff_t>(first_listed),
                           listed.end());
  }
  return snapshot;
}

void SemanticsListing::Run(const std::shared_ptr<Shared>& shared,
                           const std::shared_ptr<const Framework>& framework,
                           exact::Semantics semantics) {
  // The enumeration settles acceptance as it goes: membership in one extension is a credulous
  // yes, absence from one a sceptical no. A finished enumeration settles everything (with no
  // extension at all, nothing is credulously and everything sceptically accepted, as the engine
  // has it); one cut short at the cap leaves the rest to the engine, one question at a time.
  const auto report = [this, &shared] {
    if (!shared->change_reported.exchange(true)) changed_();
  };
  if (shared->user_stopped) {
    {
      std::lock_guard lock(shared->mutex);
      shared->found.state = ListingState::kStopped;
    }
    report();
    return;
  }
  const ArgumentGraph& graph = framework->Graph();
  const auto size = static_cast<std::size_t>(framework->Size());
  std::vector<bool> member(size, false);
  const exact::CountAnswer count = exact::EnumerateExtensions(
      graph, semantics, shared->enumeration, [&](const exact::Extension& extension) {
        {
          std::lock_guard lock(shared->mutex);
          ListingSnapshot& found = shared->found;
          if (found.listed.size() < kMostListed) found.listed.push_back(extension);
          ++found.found;
          std::fill(member.begin(), member.end(), false);
          for (const int argument : extension) member[static_cast<std::size_t>(argument)] = true;
          for (std::size_t a = 0; a < size; ++a) {
            if (member[a]) {
              found.credulous[a] = Acceptance::kYes;
            } else {
              found.sceptical[a] = Acceptance::kNo;
            }
          }
          if (found.found >= kMostCounted) {
            found.count_capped = true;
            shared->enumeration.RequestStop();
          }
        }
        report();
      });
  {
    std::lock_guard lock(shared->mutex);
    ListingSnapshot& found = shared->found;
    if (shared->user_stopped) {
      found.state = ListingState::kStopped;
    } else if (count.outcome == exact::Outcome::kFinished) {
      for (Acceptance& a : found.credulous) a = a == Acceptance::kUnknown ? Acceptance::kNo : a;
      for (Acceptance& a : found.sceptical) a = a == Acceptance::kUnknown ? Acceptance::kYes : a;
      found.state = ListingState::kFinished;
    } else {
      found.state = ListingState::kDeciding;
    }
  }
  report();
  if (shared->found.state != ListingState::kDeciding) return;
  for (std::size_t a = 0; a < size; ++a) {
    for (const bool credulous : {true, false}) {
      {
        std::lock_guard lock(shared->mutex);
        const Acceptance known =
            credulous ? shared->found.credulous[a] : shared->found.sceptical[a];
        if (known != Acceptance::kUnknown) continue;
      }
      const int argument = static_cast<int>(a);
      const exact::AcceptanceAnswer answer =
          credulous ? exact::IsCredulouslyAccepted(graph, semantics, argument, shared->questions)
                    : exact::IsScepticallyAccepted(graph, semantics, argument, shared->questions);
      const bool stopped = answer.outcome == exact::Outcome::kStopped;
      {
        std::lock_guard lock(shared->mutex);
        if (stopped) {
          shared->found.state = ListingState::kStopped;
        } else {
          (credulous ? shared->found.credulous : shared->found.sceptical)[a] =
              answer.accepted ? Acceptance::kYes : Acceptance::kNo;
        }
      }
      report();
      if (stopped) return;
    }
  }
  {
    std::lock_guard lock(shared->mutex);
    shared->found.state = ListingState::kFinished;
  }
  report();
}

}  // namespace dialectic
