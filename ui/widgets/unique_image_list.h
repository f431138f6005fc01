#pragma once
// An image list, destroyed once.
#include <commctrl.h>
#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace tarvolin::widgets {

using UniqueImageList = win32::UniqueResource<HIMAGELIST, &ImageList_Destroy>;

}  // namespace tarvolin::widgets
