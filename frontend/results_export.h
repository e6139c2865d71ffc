// The window's five text areas as one text file, for reading or printing outside the program:
// each area under a heading line in brackets, as the command line heads its areas ("[input]",
// "[rephrased]", "[trace]", "[options]", "[extensions]"), its lines as the area holds them, each
// ended by LF. The areas go out line by line, so a trace of any length is never copied.
#pragma once

#include <filesystem>

#include "frontend/form.h"

namespace dialectic {

// Creates the file with the sections. Throws FileError "Cannot create file ..." when it cannot be
// created or written.
void ExportResults(const TForm1& form, const std::filesystem::path& path);

}  // namespace dialectic
