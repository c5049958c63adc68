// Thin views of a list box and a combo box: each message pair written once.
// They own nothing; the window stays the form's. Item texts are UTF-8 and go
// through the wide messages, so the window must be a Unicode one (kWideText)
// to keep every character.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/Utf8.h"

namespace forms {

class ListBox {
 public:
  explicit ListBox(HWND handle) : handle_(handle) {}
  HWND Handle() const { return handle_; }

  // Replaces the items and selects one (none for -1), drawn once at the end.
  void SetItems(const std::vector<std::string>& items, int selected = -1) const {
    SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(handle_, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
      SendMessageW(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Utf16(item).data()));
    if (selected >= 0) SetCurSel(selected);
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
  }
  // -1 when nothing is selected.
  int GetCurSel() const { return static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0)); }
  void SetCurSel(int index) const {
    SendMessageA(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }

 private:
  HWND handle_;
};

class ComboBox {
 public:
  explicit ComboBox(HWND handle) : handle_(handle) {}
  HWND Handle() const { return handle_; }

  void Clear() const { SendMessageA(handle_, CB_RESETCONTENT, 0, 0); }
  // Adds an item with its data; its index in the (perhaps sorted) list.
  int Add(const std::string& text, LPARAM data) const {
    const LRESULT index = SendMessageW(handle_, CB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(win32::Utf16(text).data()));
    SendMessageA(handle_, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return static_cast<int>(index);
  }
  int GetCount() const { return static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0)); }
  // -1 when nothing is selected.
  int GetCurSel() const { return static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)); }
  // -1 clears the selection.
  void SetCurSel(int index) const {
    SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  // An item's text; empty for an index that is not there.
  std::string GetText(int index) const {
    const LRESULT length = SendMessageW(handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    // The length may be larger than the text; the copy ends with its NUL.
    win32::WideText text(static_cast<size_t>(length) + 1, L'\0');
    if (SendMessageW(handle_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text.data())) == CB_ERR)
      return {};
    return win32::Utf8(text.data());
  }
  // Index -1 is the selection field.
  int GetItemHeight(int index) const {
    return static_cast<int>(
        SendMessageA(handle_, CB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0));
  }
  void SetItemHeight(int index, int height) const {
    SendMessageA(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height);
  }

 private:
  HWND handle_;
};

}  // namespace forms
