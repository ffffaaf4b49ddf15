// SPDX-License-Identifier: MIT
// A handler run as a window runs it, without a window: the boxes it reads hold the texts given,
// or else a fresh window's (the layout's first texts; the panel's boxes start empty).
#pragma once

#include <map>
#include <string>

#include "form1_handlers.h"
#include "form1_layout.h"

namespace threewire::form::testing_support {

using Texts = std::map<std::string, std::string, std::less<>>;

inline HandlerOutcome RunOn(const Handler& handler, Texts typed, const NumberLocale& locale = {}) {
  for (const Control& control : Controls()) typed.emplace(control.name, control.text);
  std::vector<std::string> texts;
  for (const std::string_view box : handler.reads) texts.push_back(typed[std::string(box)]);
  return handler.run(texts, locale);
}

// What the outcome writes, box by box.
inline Texts Shown(const HandlerOutcome& outcome) {
  Texts shown;
  for (const auto& [box, text] : outcome.writes) shown[std::string(box)] = text;
  return shown;
}

}  // namespace threewire::form::testing_support
