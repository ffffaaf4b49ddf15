// SPDX-License-Identifier: MIT
// A handler run as a window runs it, without a window: the boxes it reads hold the texts given,
// or else a fresh window's (the layout's first texts; the panel's boxes start empty).
#pragma once

#include <algorithm>
#include <map>
#include <string>

#include "form1_handlers.h"
#include "form1_layout.h"

namespace threewire::form::testing_support {

using Texts = std::map<std::string, std::string, std::less<>>;

inline HandlerOutcome RunOn(const Handler& handler, const Texts& typed,
                            const NumberLocale& locale = {}) {
  std::vector<std::string> texts;
  for (const std::string_view box : handler.reads) {
    const auto found = typed.find(box);
    const bool in_window = std::ranges::find(Controls(), box, &Control::name) != Controls().end();
    texts.emplace_back(found != typed.end() ? found->second
                       : in_window          ? ControlNamed(box).text
                                            : "");
  }
  return handler.run(texts, locale);
}

// What the outcome writes, box by box.
inline Texts Shown(const HandlerOutcome& outcome) {
  Texts shown;
  for (const auto& [box, text] : outcome.writes) shown[std::string(box)] = text;
  return shown;
}

}  // namespace threewire::form::testing_support
