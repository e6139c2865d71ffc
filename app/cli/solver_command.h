// dialectic-solve: the argumentation solver competition's command interface to the exact engine.
// It reads one framework (i23, APX or TGF), asks one question of one semantics and prints the
// answer in the competition's words, nothing else: YES or NO, "w" lines naming the arguments of an
// extension (numbers 1..N for i23, names for APX and TGF), or a count. With --explain a DC or DS
// answer is followed by its explanation; with --json the answer is one JSON object. A file whose
// name gives no format is read as i23. Exit codes: 0 an answer, 1 an unreadable, malformed or
// non-text file or a standard output that cannot be written (an enumeration then stops at once),
// 2 bad usage, 130 stopped by the run context (a signal), in which case nothing is printed after
// the stop and every line printed before it is complete.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/run_context.h"

namespace dialectic {

// The task names ("DC-CO", ... "CE-GR"), in the order --problems lists them.
std::vector<std::string> SolverTaskNames();

// Runs the solver command with the arguments after the program name. The input file is read from
// the file system; messages go to err, answers to out.
int RunSolverCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     RunContext& context);

}  // namespace dialectic
