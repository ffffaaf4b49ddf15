// SPDX-License-Identifier: MIT
// What the web page asks of C++, exported from the WebAssembly module as C functions with plain
// names: the window's table, both calculations, Text8's reformatting and the converged-M note.
// Texts cross as UTF-8 in the module's memory. The page writes each text argument into a block
// from threewire_alloc and passes its address and length; each function returns a block holding
// one JSON value, its length in 4 bytes before it, which the page reads and gives back to
// threewire_free. The number locale's two separators come with every call that reads or writes
// a number the locale's way, as the page learns them from the browser.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "best_wire_diameter.h"
#include "converged_m_note.h"
#include "failure_message.h"
#include "form1_layout.h"
#include "m_value.h"
#include "number_format.h"

namespace {

using namespace threewire;
using form::Control;

// The table's Song faces and two more: Songti SC on macOS and iOS, and Noto's serif CJK face,
// which Android and most Linux systems have, before AR PL UMing: Chromium draws UMing at these
// sizes from its bitmaps, which have no bold.
std::string FontFamilies() {
  std::string families;
  for (const std::string_view family : form::kSongFamilies) {
    if (family == "AR PL UMing CN") families += "\"Songti SC\",\"Noto Serif CJK SC\",";
    families += "\"" + std::string(family) + "\",";
  }
  return families + "serif";
}

// A JSON string: quotes, backslashes and control characters escaped, the rest as it is.
std::string Json(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      (out += '\\') += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      (out += "\\u00") += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += c;
    }
  }
  return out + '"';
}

std::string Json(int number) { return std::to_string(number); }

std::string Colour(const std::optional<form::Rgb>& rgb) {
  if (!rgb) return "null";
  return Json("rgb(" + std::to_string(rgb->red) + "," + std::to_string(rgb->green) + "," +
              std::to_string(rgb->blue) + ")");
}

std::string Points(form::Face face) {
  return FormatGeneral(face == form::Face::kDefault ? form::kDefaultPoints : form::kOwnFacePoints);
}

std::string_view KindName(form::ControlKind kind) {
  switch (kind) {
    case form::ControlKind::kFrame:
      return "frame";
    case form::ControlKind::kLabel:
      return "label";
    case form::ControlKind::kTextBox:
      return "textbox";
    case form::ControlKind::kComboBox:
      return "combobox";
    case form::ControlKind::kButton:
      return "button";
    case form::ControlKind::kLine:
      return "line";
  }
  return "";
}

// One control, its place in pixels relative to its frame (or to the window).
std::string ControlJson(const Control& control) {
  const auto [left, top, width, height] = form::PixelsInParent(control);
  const int weight = control.face == form::Face::kBold ? form::kBoldWeight : 400;
  return "{\"name\":" + Json(control.name) + ",\"kind\":" + Json(KindName(control.kind)) +
         ",\"parent\":" + Json(control.parent) + ",\"left\":" + Json(left) +
         ",\"top\":" + Json(top) + ",\"width\":" + Json(width) + ",\"height\":" + Json(height) +
         ",\"text\":" + Json(control.text) + ",\"points\":" + Points(control.face) +
         ",\"weight\":" + Json(weight) + ",\"colour\":" + Colour(control.colour) +
         ",\"tab\":" + (control.tab ? Json(*control.tab) : "null") +
         ",\"tooltip\":" + Json(control.tooltip) + ",\"names\":" + Json(control.names) + "}";
}

std::string TableJson() {
  std::string controls;
  for (const Control& control : form::Controls()) {
    controls += (controls.empty() ? "" : ",") + ControlJson(control);
  }
  std::string wires;
  for (const std::string_view wire : form::WireDiameters()) {
    wires += (wires.empty() ? "" : ",") + Json(wire);
  }
  return "{\"caption\":" + Json(form::kWindowCaption) +
         ",\"width\":" + Json(form::kClientWidthTwips / form::kTwipsPerPixel) +
         ",\"height\":" + Json(form::kClientHeightTwips / form::kTwipsPerPixel) +
         ",\"fonts\":" + Json(FontFamilies()) + ",\"controls\":[" + controls + "],\"wires\":[" +
         wires + "]}";
}

std::string FailureJson(form::Calculator calculator, Failure failure) {
  const auto message = form::DescribeFailure(calculator, failure);
  return "{\"what_failed\":" + Json(message.what_failed) + ",\"reason\":" + Json(message.reason) +
         "}";
}

// A block for the page: the length, then the bytes.
char* Out(const std::string& json) {
  const auto size = static_cast<std::uint32_t>(json.size());
  auto* block = static_cast<char*>(std::malloc(sizeof size + json.size()));
  if (!block) std::abort();
  std::memcpy(block, &size, sizeof size);
  std::memcpy(block + sizeof size, json.data(), json.size());
  return block;
}

std::string_view In(const char* text, std::size_t size) { return {text, size}; }

NumberLocale Locale(const char* decimal, std::size_t decimal_size, const char* group,
                    std::size_t group_size) {
  return {std::string(decimal, decimal_size), std::string(group, group_size)};
}

}  // namespace

#define EXPORT(name) extern "C" __attribute__((export_name(#name)))

EXPORT(threewire_alloc) void* threewire_alloc(std::size_t size) { return std::malloc(size); }

EXPORT(threewire_free) void threewire_free(void* block) { std::free(block); }

// {"caption", "width", "height" (the client area, px), "fonts" (a CSS font-family list),
//  "controls": [{"name", "kind", "parent", "left", "top", "width", "height", "text", "points",
//  "weight", "colour" (CSS or null), "tab" (or null), "tooltip", "names"}], "wires": [...]}
EXPORT(form1_table) char* form1_table() { return Out(TableJson()); }

// {"text"} or {"failure": {"what_failed", "reason"}}
EXPORT(compute_best_wire_diameter)
char* compute_best_wire_diameter(const char* pitch, std::size_t pitch_size, const char* angle,
                                 std::size_t angle_size, const char* decimal,
                                 std::size_t decimal_size, const char* group,
                                 std::size_t group_size) {
  const auto wire = ComputeBestWireDiameter(In(pitch, pitch_size), In(angle, angle_size),
                                            Locale(decimal, decimal_size, group, group_size));
  if (!wire) {
    return Out("{\"failure\":" + FailureJson(form::Calculator::kBestWireDiameter, wire.error()) +
               "}");
  }
  return Out("{\"text\":" + Json(*wire) + "}");
}

// {"lead_angle_text", "m_text"} or {"failure": {"what_failed", "reason"}}
EXPORT(compute_m_value)
char* compute_m_value(const char* pitch, std::size_t pitch_size, const char* starts,
                      std::size_t starts_size, const char* pitch_diameter,
                      std::size_t pitch_diameter_size, const char* wire, std::size_t wire_size,
                      const char* angle, std::size_t angle_size, const char* decimal,
                      std::size_t decimal_size, const char* group, std::size_t group_size) {
  const auto result = ComputeMValue(
      In(pitch, pitch_size), In(starts, starts_size), In(pitch_diameter, pitch_diameter_size),
      In(wire, wire_size), In(angle, angle_size), Locale(decimal, decimal_size, group, group_size));
  if (!result) {
    return Out("{\"failure\":" + FailureJson(form::Calculator::kMValue, result.error()) + "}");
  }
  return Out("{\"lead_angle_text\":" + Json(result->lead_angle_text) +
             ",\"m_text\":" + Json(result->m_text) + "}");
}

// The text with `decimals` decimals if it is a number, else unchanged; a JSON string.
EXPORT(format_fixed)
char* format_fixed(const char* text, std::size_t text_size, int decimals, const char* decimal,
                   std::size_t decimal_size, const char* group, std::size_t group_size) {
  return Out(Json(FormatFixed(In(text, text_size), decimals,
                              Locale(decimal, decimal_size, group, group_size))));
}

// The M box's tooltip after a successful 显示M值, empty where the iteration fails; a JSON string.
EXPORT(converged_m_note)
char* converged_m_note(const char* pitch, std::size_t pitch_size, const char* starts,
                       std::size_t starts_size, const char* pitch_diameter,
                       std::size_t pitch_diameter_size, const char* wire, std::size_t wire_size,
                       const char* angle, std::size_t angle_size, const char* m_text,
                       std::size_t m_text_size) {
  return Out(Json(form::ConvergedMNote(In(pitch, pitch_size), In(starts, starts_size),
                                       In(pitch_diameter, pitch_diameter_size), In(wire, wire_size),
                                       In(angle, angle_size), In(m_text, m_text_size))));
}
