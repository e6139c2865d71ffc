// The file formats in which frameworks are read and written: the program's own line syntax and
// the formats of the argumentation solver competitions (i23, APX, TGF). Every reader but the line
// syntax is strict: the first malformed piece fails the whole read with a message
// "file:line:column: expected ...", and nothing of the file is kept. Writers round-trip: reading
// what a writer wrote gives the same names in order and the same attacks (i23 keeps no names).
//
// text  The line syntax, read exactly as the program reads its input, so it never fails. Attacks
//       come back grouped by target (see FrameworkOfTheory). Written as one clause per line: an
//       argument with attackers as "b a1 a2 ...", one without attackers or targets as its word,
//       preceded by single-word clauses when the argument order would not read back otherwise.
//       A name must not be empty, hold a blank (code 32), a comma or a line break, nor begin or
//       end with a byte of code 32 or less.
// i23   A line "p af N" (N at most 10,000,000) before any attack, then lines "i j": argument i
//       attacks argument j, 1 <= i, j <= N. Lines whose first non-blank byte is # are comments.
//       The arguments are named "1" to "N"; writing numbers them by position and keeps no names.
// apx   Facts arg(a). and att(a,b). with blanks and line breaks allowed around every token and
//       comments from % to the end of the line. A name is a run of bytes above code 32 other than
//       ( ) , . and %. An attack may name only arguments that an earlier arg fact declares.
// tgf   One argument name per line, a line "#", then lines "a b": a attacks b. A name is a run of
//       bytes above code 32 other than the word "#"; every attack names declared arguments.
//
// Every reader skips a UTF-8 byte-order mark at the start of the text.
// In every strict format, blanks are the bytes of code 32 or less other than line breaks, lines
// end at LF, CR LF or a lone CR, blank lines are skipped, and a repeated argument or attack is
// taken once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "formats/framework.h"
#include "model/run_context.h"

namespace dialectic {

enum class Format { kText, kI23, kApx, kTgf };

// Every format, the line syntax first.
inline constexpr std::array<Format, 4> kFormats = {Format::kText, Format::kI23, Format::kApx,
                                                   Format::kTgf};
// The formats that other argumentation programs read and write, in the order a listing gives them.
inline constexpr std::array<Format, 3> kExchangeFormats = {Format::kI23, Format::kApx,
                                                           Format::kTgf};

// "text", "i23", "apx" or "tgf".
std::string FormatName(Format format);
// The format of exactly that name, or none.
std::optional<Format> FormatNamed(std::string_view name);
// The names in brackets, separated by commas: "[i23,apx,tgf]".
std::string FormatListing(std::span<const Format> formats);
// The format a framework file is read in, the one rule of every program: the format named (by an
// option), else the one the file name's ending gives, letter case ignored (".i23" and ".af" i23,
// ".apx" APX, ".tgf" TGF), else the fallback (the line syntax in the window and dialectic-cli,
// i23 in dialectic-solve, as the competition's calls give no format).
Format FormatOfFile(std::string_view path, std::optional<Format> named, Format fallback);

// Reads the text of a file in the format; file_name starts every error message. When a context is
// given, its stop request ends the read of a strict format with a failure "<file>: reading was
// stopped".
ReadResult ReadFramework(std::string_view text, Format format, std::string_view file_name,
                         const RunContext* context = nullptr);
// The number of arguments that the "p af N" line of an i23 text declares, found without reading
// the attacks, so that a caller can refuse a framework too large before it is built; none when the
// text does not reach such a line after its comments and blank lines.
std::optional<std::uint64_t> I23DeclaredArguments(std::string_view text);
// The text of the framework in the format, every line ended by LF.
WriteResult WriteFramework(const Framework& framework, Format format);

}  // namespace dialectic
