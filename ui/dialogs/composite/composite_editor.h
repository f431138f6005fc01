#pragma once
// The main window's key editor: the composite dialog, made at the first click (its owner,
// the main window, exists only from then on) and kept for the rest of the run.
#include <memory>

#include "ui/dialogs/composite/composite_host.h"
#include "ui/main/key_click_target.h"

namespace tarvolin::composite {

class Tarvolin_DlgComposite;

class CompositeEditor final : public mainwnd::KeyEditorOpener {
 public:
  CompositeEditor();
  ~CompositeEditor() override;
  CompositeEditor(const CompositeEditor&) = delete;
  CompositeEditor& operator=(const CompositeEditor&) = delete;

  // The main window, before it runs.
  void SetHost(CompositeHost& host) { host_ = &host; }

  void OpenForButton(int buttonId) override;
  int OpenCount() const override;
  // An open dialog is cancelled; the program may always close.
  bool CanClose() override;

 private:
  CompositeHost* host_ = nullptr;
  std::unique_ptr<Tarvolin_DlgComposite> dialog_;
};

}  // namespace tarvolin::composite
