// The reader and the writer of each file format, between which ReadFramework and WriteFramework
// choose. Each format's rules are described in formats/formats.h.
#pragma once

#include <string_view>

#include "formats/framework.h"
#include "formats/source_text.h"

namespace dialectic {

// Reads the text as the program reads its input; never fails.
ReadResult ReadLineSyntax(std::string_view text);
WriteResult WriteLineSyntax(const Framework& framework);

ReadResult ReadI23(const SourceText& source);
WriteResult WriteI23(const Framework& framework);

ReadResult ReadApx(const SourceText& source);
WriteResult WriteApx(const Framework& framework);

ReadResult ReadTgf(const SourceText& source);
WriteResult WriteTgf(const Framework& framework);

}  // namespace dialectic
