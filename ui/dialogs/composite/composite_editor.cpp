#include "ui/dialogs/composite/composite_editor.h"

#include "ui/dialogs/composite/tarvolin_dlg_composite.h"

namespace tarvolin::composite {

CompositeEditor::CompositeEditor() = default;
CompositeEditor::~CompositeEditor() = default;

void CompositeEditor::OpenForButton(int buttonId) {
  if (host_ == nullptr) return;
  if (!dialog_) dialog_ = std::make_unique<Tarvolin_DlgComposite>(*host_);
  dialog_->OpenForButton(buttonId);
}

int CompositeEditor::OpenCount() const {
  return dialog_ ? dialog_->open_count() : 0;
}

bool CompositeEditor::CanClose() {
  if (dialog_) dialog_->CloseIfOpen();
  return true;
}

}  // namespace tarvolin::composite
