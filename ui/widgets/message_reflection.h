#pragma once
// Notifications a parent receives about a child (owner drawing, custom drawing, commands,
// colours, scrolling) are sent back to children that asked for them, so each widget
// handles its own. The reflected message is the original plus kReflectedBase.
#include <windows.h>

namespace tarvolin::widgets {

inline constexpr UINT kReflectedBase = 0x2000;

// Marks a child window as wanting its notifications back.
void RequestReflection(HWND child);

void ForgetReflection(HWND child);
bool IsReflectedMessage(UINT message);

// Called by a parent for every message. When it is a notification about a child that asked
// for reflection and the child handled it, returns true with the child's result.
bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// A reflected message a child did not handle returns this marker.
inline constexpr LRESULT kNotHandled = static_cast<LRESULT>(0x7EF17EF1);

}  // namespace tarvolin::widgets
