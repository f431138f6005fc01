#pragma once
// Row state flags of the report list, for filtering rows and for setting their states.
// Portable.
#include <cstdint>

namespace tarvolin::widgets {

enum RowState : unsigned {
  kRowAll = 0x01,         // filter only: every row
  kRowSelected = 0x02,    // set: select
  kRowUnselected = 0x04,  // set: deselect
  kRowChecked = 0x08,     // set: check
  kRowUnchecked = 0x10,   // set: uncheck
  kRowFocused = 0x20,     // set: focus
  kRowUnfocused = 0x40,   // set: remove focus
};

// The current state of a row always holds one flag of each pair.
constexpr unsigned MakeRowState(bool selected, bool checked, bool focused) {
  return (selected ? kRowSelected : kRowUnselected) | (checked ? kRowChecked : kRowUnchecked) |
         (focused ? kRowFocused : kRowUnfocused);
}

// A row matches when the filter has kRowAll or when every flag of the filter is in its state.
constexpr bool RowMatches(unsigned rowState, unsigned filter) {
  return (filter & kRowAll) != 0 || (rowState & filter) == filter;
}

}  // namespace tarvolin::widgets
