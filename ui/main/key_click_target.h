#pragma once
// Where a click on a key of the main window goes: to the key marks of the per-key lighting
// while lighting mode is on, otherwise to the key assignment editor. Portable, so the
// routing is tested without windows.
#include <functional>

namespace tarvolin::mainwnd {

// The key assignment editor as the main window sees it.
class KeyEditorOpener {
 public:
  virtual ~KeyEditorOpener() = default;
  // Opens the editor for the button (a G button, one of the 105 keys); an id the editor
  // does not know does nothing.
  virtual void OpenForButton(int buttonId) = 0;
  // 1 while the editor is open (profile switches are refused then).
  virtual int OpenCount() const = 0;
  // Asked at shutdown; false keeps the program running.
  virtual bool CanClose() = 0;
};

// The lighting side of a key click.
class KeyMarker {
 public:
  virtual ~KeyMarker() = default;
  virtual bool LightingModeOn() const = 0;
  virtual void MarkKey(int buttonId) = 0;
};

enum class KeyClickRoute { kIgnored, kMark, kEditor };

// The route of a click on `buttonId` (G1..G9, a key button, Fn or D1..D6).
KeyClickRoute RouteKeyClick(int buttonId, bool lightingModeOn);

// Sends a click where RouteKeyClick says.
class KeyClickTarget {
 public:
  KeyClickTarget(KeyMarker& marker, KeyEditorOpener& editor) : marker_(marker), editor_(editor) {}
  void Click(int buttonId);

 private:
  KeyMarker& marker_;
  KeyEditorOpener& editor_;
};

}  // namespace tarvolin::mainwnd
