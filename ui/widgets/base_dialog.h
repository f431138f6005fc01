#pragma once
// CBaseDialog: the skinned dialog every window of the program derives from. The window is
// the background picture of its skin file, shaped by the mask picture, with no frame or
// caption; pressing on an empty part drags it.
#include <windows.h>

#include <string>

#include "ui/skin/gdi_object.h"
#include "ui/widgets/ini_file.h"

namespace tarvolin::widgets {

class CBaseDialog {
 public:
  // templateId 0 means a blank popup made in code (all controls are created at
  // initialisation). skinIniPath is the window's skin file; skinFolder ends with a
  // backslash and is where its pictures are.
  CBaseDialog(int templateId, HWND parent, std::wstring skinIniPath, std::wstring skinFolder);
  CBaseDialog(const CBaseDialog&) = delete;
  CBaseDialog& operator=(const CBaseDialog&) = delete;
  virtual ~CBaseDialog();

  INT_PTR DoModal();
  // A modeless dialog; OK and Cancel destroy it.
  HWND Create();
  HWND hwnd() const { return hwnd_; }
  bool IsLoading() const { return loading_; }
  HBITMAP background() const { return background_.get(); }
  HBITMAP mask() const { return mask_.get(); }
  const CIniFile& skin_file() const { return ini_; }
  const std::wstring& skin_folder() const { return skin_folder_; }

 protected:
  // Runs the skin set-up; derived classes call it first, then set up their controls.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange() {}
  // Release the background and mask, then end the dialog.
  virtual void OnOK();
  virtual void OnCancel();
  // Sees every message first; returns true when it handled it (with `result`).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void EndWith(INT_PTR code);
  void ReleaseSkinBitmaps();

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void SetUpSkin();
  void Paint();
  // The background picture at the client origin; for WM_PAINT and WM_PRINTCLIENT.
  void DrawBackground(HDC target);

  int template_id_;
  HWND parent_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  skin::BitmapHandle background_;
  skin::BitmapHandle mask_;
  bool loading_ = false;
  std::wstring skin_ini_path_;
  std::wstring skin_folder_;
  CIniFile ini_;
};

}  // namespace tarvolin::widgets
