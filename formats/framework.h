// What the file formats' readers and writers give: a framework (model/framework.h) or the text of
// one, or why there is none. Every reader keeps the framework's invariants.
#pragma once

#include <string>
#include <vector>

#include "model/framework.h"

namespace dialectic {

// What a reader gives: the framework, or the reason it failed. A failed read keeps nothing of
// what it read before the failure.
struct ReadResult {
  Framework framework;  // empty unless ok()
  std::string error;    // "file:line:column: what was expected there"; empty on success

  bool ok() const { return error.empty(); }
};

// What a writer gives: the file's text, or why the framework cannot be written in that format.
struct WriteResult {
  std::string text;   // empty unless ok()
  std::string error;  // names the first argument the format cannot hold; empty on success

  bool ok() const { return error.empty(); }
};

}  // namespace dialectic
