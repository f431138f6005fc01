#pragma once
// Ordering of report-list rows by one column's texts. Portable.
#include <optional>
#include <string>
#include <vector>

namespace tarvolin::widgets {

struct RowRun {
  int first;
  int last;  // inclusive
  bool operator==(const RowRun&) const = default;
};

// Splits rows 0..texts.size()-1 into runs between the rows whose text equals the separator;
// the separator rows stay where they are. Without a separator all rows are one run.
std::vector<RowRun> SplitIntoRuns(const std::vector<std::u16string>& texts,
                                  const std::optional<std::u16string>& separator);

// The rows first..last sorted by their texts compared as UTF-16 code units, with an in-place
// quicksort on the middle element. Element i of the result is the row that goes to
// position first + i.
std::vector<int> SortedRowOrder(const std::vector<std::u16string>& texts, int first, int last,
                                bool ascending);

}  // namespace tarvolin::widgets
