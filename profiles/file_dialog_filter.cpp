#include "profiles/file_dialog_filter.h"

namespace tarvolin::profiles {

std::u16string FileDialogFilter(std::u16string_view filter) {
  // Everything up to the closing "||" (or the end) holds the pairs.
  const std::size_t end = filter.find(u"||");
  std::u16string list(filter.substr(0, end));
  for (char16_t& ch : list) {
    if (ch == u'|') ch = u'\0';
  }
  list.push_back(u'\0');
  list.push_back(u'\0');
  return list;
}

}  // namespace tarvolin::profiles
