#pragma once
// Searching the box the grid shows as the person types: the rows whose From,
// Subject or Date hold the typed text, letter case aside. Only these three
// header fields are searched, in memory and only while the search is used;
// message texts, deciphered or not, are never read, kept or written.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/box_view.h"

namespace ostrel::store {

class BoxSearch {
 public:
  // rows: as the grid shows them, newest first.
  explicit BoxSearch(const std::vector<BoxRow>& rows);
  // Every row of a box the grid shows ("In", "Sent", "Junk", "Trash"), read
  // from its list in one go, with the text conversion the grid makes.
  // Throws std::invalid_argument for any other name.
  static BoxSearch OfBox(const std::filesystem::path& programFolder, std::string_view boxName);

  // Number of rows searched.
  std::size_t Count() const { return records_.size(); }

  // Record numbers of the rows whose From, Subject or Date (each without the
  // blanks that pad it) holds query, letter case aside, in the order the rows
  // were given; every row for an empty query.
  std::vector<std::size_t> Matching(std::string_view query) const;

 private:
  BoxSearch() = default;
  // Fields as UTF-8 text (stored: as the list holds them), with or without
  // the blanks that pad them.
  void AddRow(std::size_t record, std::string_view from, std::string_view subject, std::string_view date,
              bool stored);

  // Each row's three fields folded, each field followed by a line feed, which
  // folding leaves in no field and no query: a match never spans two fields.
  std::string folded_;
  std::vector<std::size_t> rowEnds_;  // end of each row's part of folded_
  std::vector<std::size_t> records_;
};

}  // namespace ostrel::store
