#include "ui/widgets/row_sort.h"

#include <utility>

namespace tarvolin::widgets {

std::vector<RowRun> SplitIntoRuns(const std::vector<std::u16string>& texts,
                                  const std::optional<std::u16string>& separator) {
  std::vector<RowRun> runs;
  const int count = static_cast<int>(texts.size());
  if (!separator) {
    if (count > 0) runs.push_back({0, count - 1});
    return runs;
  }
  int start = 0;
  for (int row = 0; row <= count; ++row) {
    if (row == count || texts[row] == *separator) {
      if (row > start) runs.push_back({start, row - 1});
      start = row + 1;
    }
  }
  return runs;
}

std::vector<int> SortedRowOrder(const std::vector<std::u16string>& texts, int first, int last,
                                bool ascending) {
  std::vector<int> order;
  const int count = static_cast<int>(texts.size());
  if (first < 0) first = 0;
  if (last >= count) last = count - 1;
  if (first > last) return order;
  for (int row = first; row <= last; ++row) order.push_back(row);

  auto before = [&](int a, int b) { return ascending ? texts[a] < texts[b] : texts[b] < texts[a]; };
  // Hoare partitioning around the middle element; the smaller side is sorted by recursion
  // and the larger one by the loop, so the depth stays logarithmic.
  auto sort = [&](auto& self, int low, int high) -> void {
    while (low < high) {
      const int pivot = order[low + (high - low) / 2];
      int i = low;
      int j = high;
      while (i <= j) {
        while (before(order[i], pivot)) ++i;
        while (before(pivot, order[j])) --j;
        if (i <= j) std::swap(order[i++], order[j--]);
      }
      if (j - low < high - i) {
        if (low < j) self(self, low, j);
        low = i;
      } else {
        if (i < high) self(self, i, high);
        high = j;
      }
    }
  };
  sort(sort, 0, static_cast<int>(order.size()) - 1);
  return order;
}

}  // namespace tarvolin::widgets
