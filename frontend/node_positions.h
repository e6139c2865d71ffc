// Where the user put the arguments of a theory in the graph, by name, and the side file that keeps
// them next to the theory's file: "<file name>.positions.json", beside it. The theory's own file
// stays a theory in its syntax. The side file lists the theory's arguments in order with their
// places; it belongs to the theory only while the theory has exactly those arguments, so a side
// file of another theory (or an edited one) is recognised and ignored, never an error. Names are
// bytes, written as JsonName writes them and read back byte for byte.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace dialectic {

// A node's centre in the graph, in points, y growing downward.
struct NodePlace {
  double x = 0;
  double y = 0;

  friend bool operator==(const NodePlace&, const NodePlace&) = default;
};
using NodePlaces = std::map<std::string, NodePlace>;

// The side file of the theory's file.
std::filesystem::path PositionsFileOf(const std::filesystem::path& theory_file);

// The side file's text: the names in order, each with its place (a name without one is left out of
// the places but kept in the list of arguments, so that the file still matches the theory).
std::string PositionsJson(const std::vector<std::string>& names, const NodePlaces& places);

struct PositionsRead {
  NodePlaces places;    // empty when the file does not belong to the theory
  std::string problem;  // why the file was ignored; empty when it was taken or there was none
};
// The places in the side file's text for the theory of these names, in order.
PositionsRead PositionsOfJson(std::string_view json, const std::vector<std::string>& names);

// Writes the side file whole (see FileWriter); throws FileError.
void WritePositionsFile(const std::filesystem::path& theory_file,
                        const std::vector<std::string>& names, const NodePlaces& places);
// Reads the side file of the theory's file; no file gives no places and no problem. A file that
// cannot be read or does not belong to the theory gives a problem that names it.
PositionsRead ReadPositionsFile(const std::filesystem::path& theory_file,
                                const std::vector<std::string>& names);

}  // namespace dialectic
