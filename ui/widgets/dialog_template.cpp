#include "ui/widgets/dialog_template.h"

namespace tarvolin::widgets {

std::vector<WORD> BlankDialogTemplate(DWORD style, short width, short height) {
  // DLGTEMPLATE followed by empty menu, class and title arrays; DWORD aligned by vector<WORD>
  // starting on an allocation boundary.
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = style;
  header->dwExtendedStyle = 0;
  header->cdit = 0;
  header->x = 0;
  header->y = 0;
  header->cx = width;
  header->cy = height;
  return words;
}

}  // namespace tarvolin::widgets
