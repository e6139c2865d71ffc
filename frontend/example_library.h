// The example library: caption lines ("#" and the caption) each followed by theory lines. It is
// read from the library file when that exists, else taken from the 34 built-in examples and, when
// allowed, written to the file (CR LF after every line). An existing file is never written.
#pragma once

#include <string_view>

#include "frontend/form.h"
#include "model/string_list.h"

namespace dialectic {

// The 68 lines of the built-in library.
const StringList& BuiltInExamples();

// The lines of a library file's text: line ends CR LF, CR or LF, a UTF-8 byte-order mark at the
// start is skipped, and a NUL byte ends the text.
StringList ExampleFileLines(std::string_view text);

// The captions of the library, one per caption line, in order.
StringList ExampleCaptions(const StringList& examples);

// The theory lines that choosing the caption loads: those after the first caption line equal to
// "#" + caption, up to the next caption line that differs from it.
StringList ExampleLines(const StringList& examples, std::string_view caption);

// What a failure to create the library file adds to its message.
extern const char* const kUnsavedExamplesNote;

// Fills the form's Examples from its ExamplesPath (or the built-in library, creating the file when
// the form allows it) and appends the captions to its radio items. Throws FileError: when the file
// cannot be read, the built-in library stays in Examples and no radio item is added; when it
// cannot be created, the built-in library is offered all the same and the message says so.
void LoadExamples(TForm1& form);

}  // namespace dialectic
