// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owners of GDI objects: each is freed once, when its owner goes.
namespace threewire::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct MetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};

using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using BrushHandle = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using DcHandle = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using MetafileHandle = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, MetafileDeleter>;

}  // namespace threewire::win32
