// SPDX-License-Identifier: MIT
// What the web page asks of C++, exported from the WebAssembly module as C functions with plain
// names: the window's table, and one function per handler, box texts in, box texts out. Texts
// cross as UTF-8 in the module's memory. The page writes each text argument into a block from
// threewire_alloc and passes its address and length, and a list of texts as the address and count
// of their (address, length) pairs; each function returns a block holding one JSON value, its
// length in 4 bytes before it, which the page reads and gives back to threewire_free. The number
// locale's two separators come with every handler, as the page learns them from the browser.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "form1_handlers.h"
#include "form1_layout.h"
#include "inspection_panel.h"
#include "number_format.h"

namespace {

using namespace threewire;
using form::Control;

std::string FontFamilies() {
  std::string families;
  for (const std::string_view family : form::SongFamilies(form::Toolkit::kWeb)) {
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

// The items, each written by `to_json`, separated by commas: the inside of an array or object.
std::string Joined(const auto& items, const auto& to_json) {
  std::string joined;
  for (const auto& item : items) joined += (joined.empty() ? "" : ",") + to_json(item);
  return joined;
}

// A JSON array of texts.
std::string JsonTexts(const auto& texts) {
  return "[" + Joined(texts, [](std::string_view text) { return Json(text); }) + "]";
}

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
    case form::ControlKind::kOutput:
      return "output";
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
         ",\"tooltip\":" + Json(control.tooltip) + ",\"names\":" + Json(control.names) +
         ",\"accessible\":" + Json(form::AccessibleName(control)) + "}";
}

// The handlers the page runs, each under its name and the export that runs it, with the boxes it
// reads in the order the export takes their texts.
constexpr std::pair<std::string_view, const form::Handler*> kHandlers[] = {
    {"Command9_Click", &form::kCommand9_Click},
    {"Text8_Change", &form::kText8_Change},
    {"Command101_Click", &form::kCommand101_Click},
    {"Judge_Click", &form::kJudge_Click},
};

std::string HandlersJson() {
  return "{" +
         Joined(kHandlers,
                [](const auto& handler) {
                  return Json(handler.first) + ":" + JsonTexts(handler.second->reads);
                }) +
         "}";
}

std::string Json(const form::PanelItem& item) {
  return "{\"name\":" + Json(item.name) + ",\"caption\":" + Json(item.caption) + "}";
}

// {"title", "inputs": [{"name", "caption"}], "button": {"name", "caption"}, "results", "columns":
//  [...], "rows": [{"caption", "cells": [names], "labels": [what a screen reader names them]}],
//  "verdict": {"name", "caption"}, "basis": ...}
std::string PanelJson() {
  const std::string inputs =
      Joined(form::PanelInputs(), [](const form::PanelItem& input) { return Json(input); });
  const std::string rows = Joined(form::PanelRows(), [](const form::PanelRow& row) {
    const std::string labels =
        Joined(row.cells, [](std::string_view cell) { return Json(*form::ResultName(cell)); });
    return "{\"caption\":" + Json(row.caption) + ",\"cells\":" + JsonTexts(row.cells) +
           ",\"labels\":[" + labels + "]}";
  });
  return "{\"title\":" + Json(form::kPanelTitle) + ",\"inputs\":[" + inputs +
         "],\"button\":" + Json(form::kJudgeButton) +
         ",\"results\":" + Json(form::kResultsCaption) +
         ",\"columns\":" + JsonTexts(form::PanelColumns()) + ",\"rows\":[" + rows +
         "],\"verdict\":" + Json(form::kVerdict) + ",\"basis\":" + Json(form::kVerdictBasis) + "}";
}

std::string TableJson() {
  const std::string controls = Joined(form::Controls(), ControlJson);
  return "{\"caption\":" + Json(form::kWindowCaption) +
         ",\"width\":" + Json(form::kClientWidthTwips / form::kTwipsPerPixel) +
         ",\"height\":" + Json(form::kClientHeightTwips / form::kTwipsPerPixel) +
         ",\"fonts\":" + Json(FontFamilies()) + ",\"controls\":[" + controls +
         "],\"wires\":" + JsonTexts(form::WireDiameters()) + ",\"handlers\":" + HandlersJson() +
         ",\"panel\":" + PanelJson() + "}";
}

std::string OutcomeJson(const form::HandlerOutcome& outcome) {
  const std::string writes = Joined(outcome.writes, [](const form::BoxText& write) {
    return "[" + Json(write.box) + "," + Json(write.text) + "]";
  });
  const std::string failure = outcome.failure
                                  ? "{\"what_failed\":" + Json(outcome.failure->what_failed) +
                                        ",\"reason\":" + Json(outcome.failure->reason) + "}"
                                  : "null";
  return "{\"writes\":[" + writes +
         "],\"m_note\":" + (outcome.m_note ? Json(*outcome.m_note) : "null") +
         ",\"failure\":" + failure + "}";
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

// A text the page wrote into the module's memory.
struct TextBlock {
  const char* text;
  std::uint32_t size;
};

NumberLocale Locale(const char* decimal, std::size_t decimal_size, const char* group,
                    std::size_t group_size) {
  return {std::string(decimal, decimal_size), std::string(group, group_size)};
}

// Runs `handler` on the texts of its boxes: {"writes": [[box, text], ...], "m_note" (or null),
// "failure": {"what_failed", "reason"} (or null)}.
char* Run(const form::Handler& handler, const TextBlock* texts, std::size_t count,
          const NumberLocale& locale) {
  if (count != handler.reads.size()) std::abort();  // the page reads the boxes the table names
  std::vector<std::string> read;
  for (std::size_t i = 0; i < count; ++i) read.emplace_back(texts[i].text, texts[i].size);
  return Out(OutcomeJson(handler.run(read, locale)));
}

}  // namespace

#define EXPORT(name) extern "C" __attribute__((export_name(#name)))
#define HANDLER(name)                                                                          \
  EXPORT(name)                                                                                 \
  char* name(const TextBlock* texts, std::size_t count, const char* decimal,                   \
             std::size_t decimal_size, const char* group, std::size_t group_size) {            \
    return Run(form::k##name, texts, count, Locale(decimal, decimal_size, group, group_size)); \
  }

EXPORT(threewire_alloc) void* threewire_alloc(std::size_t size) { return std::malloc(size); }

EXPORT(threewire_free) void threewire_free(void* block) { std::free(block); }

// {"caption", "width", "height" (the client area, px), "fonts" (a CSS font-family list),
//  "controls": [{"name", "kind", "parent", "left", "top", "width", "height", "text", "points",
//  "weight", "colour" (CSS or null), "tab" (or null), "tooltip", "names"}], "wires": [...],
//  "handlers": {name: [the boxes it reads]}, "panel": the inspector's panel}
EXPORT(form1_table) char* form1_table() { return Out(TableJson()); }

HANDLER(Command9_Click)
HANDLER(Text8_Change)
HANDLER(Command101_Click)
HANDLER(Judge_Click)
