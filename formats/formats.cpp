#include "formats/formats.h"

#include "formats/format_codecs.h"
#include "model/string_list.h"

namespace dialectic {

std::string FormatName(Format format) {
  switch (format) {
    case Format::kText:
      return "text";
    case Format::kI23:
      return "i23";
    case Format::kApx:
      return "apx";
    case Format::kTgf:
      return "tgf";
  }
  return {};
}

std::optional<Format> FormatNamed(std::string_view name) {
  for (const Format format : kFormats) {
    if (FormatName(format) == name) return format;
  }
  return std::nullopt;
}

std::string FormatListing(std::span<const Format> formats) {
  std::string listing = "[";
  for (const Format format : formats) {
    if (listing.size() > 1) listing += ',';
    listing += FormatName(format);
  }
  return listing + ']';
}

Format FormatOfFile(std::string_view path, std::optional<Format> named, Format fallback) {
  if (named) return *named;
  struct Ending {
    std::string_view ending;
    Format format;
  };
  static constexpr Ending kEndings[] = {{".i23", Format::kI23},
                                        {".af", Format::kI23},
                                        {".apx", Format::kApx},
                                        {".tgf", Format::kTgf}};
  for (const Ending& ending : kEndings) {
    if (path.size() >= ending.ending.size() &&
        EqualFolded(path.substr(path.size() - ending.ending.size()), ending.ending)) {
      return ending.format;
    }
  }
  return fallback;
}

ReadResult ReadFramework(std::string_view text, Format format, std::string_view file_name,
                         const RunContext* context) {
  text = WithoutByteOrderMark(text);
  const SourceText source(text, file_name, context);
  switch (format) {
    case Format::kText:
      return ReadLineSyntax(text);
    case Format::kI23:
      return ReadI23(source);
    case Format::kApx:
      return ReadApx(source);
    case Format::kTgf:
      return ReadTgf(source);
  }
  return {};
}

namespace {

// The format's name as the writers' messages give it.
std::string_view FormatTitle(Format format) {
  switch (format) {
    case Format::kText:
      return "the line syntax";
    case Format::kI23:
      return "i23";
    case Format::kApx:
      return "APX";
    case Format::kTgf:
      return "TGF";
  }
  return "";
}

WriteResult WriteFormat(const Framework& framework, Format format) {
  switch (format) {
    case Format::kText:
      return WriteLineSyntax(framework);
    case Format::kI23:
      return WriteI23(framework);
    case Format::kApx:
      return WriteApx(framework);
    case Format::kTgf:
      return WriteTgf(framework);
  }
  return {};
}

}  // namespace

WriteResult WriteFramework(const Framework& framework, Format format) {
  WriteResult written = WriteFormat(framework, format);
  // Every reader skips a byte-order mark at the start, so a text that starts with one (a first
  // name that does) would not read back as the framework written.
  if (written.ok() && WithoutByteOrderMark(written.text).size() != written.text.size()) {
    return {{},
            "the framework cannot be written in " + std::string(FormatTitle(format)) +
                ": the first name written begins with a UTF-8 byte-order mark, which every reader "
                "skips"};
  }
  return written;
}

}  // namespace dialectic
