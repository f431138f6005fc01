#pragma once
// Dialog backgrounds and shapes: whole-file OLE picture loading into a bitmap we own.
#include <windows.h>

#include <string>

#include "ui/skin/gdi_object.h"

namespace tarvolin::widgets {

// Reads the file whole (opened without sharing) and decodes it with the OLE picture
// loader (BMP, JPG, GIF). Returns an empty handle on any failure: missing file, empty
// file, no memory, short read, no stream, undecodable content.
skin::BitmapHandle LoadPictureBitmap(const std::wstring& path);

// Width and height of a bitmap; {0, 0} when it has none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace tarvolin::widgets
