// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "failure_message.h"
#include "number_locale.h"

// What Form1's handlers do with the texts of its boxes, once for every window. A window reads
// the boxes a handler names, in that order, calls it, and shows what comes back: it sets the M
// box's note if there is one, then shows the failure if there is one, and otherwise writes the
// texts in the order given, each write to a box being a change of its text as one by the user
// is (writing Text8 runs Text8_Change), with the caret at the end of the written text.
namespace threewire::form {

// A box by its name in the layout table, and a text for it.
struct BoxText {
  std::string_view box;
  std::string text;

  friend bool operator==(const BoxText&, const BoxText&) = default;
};

struct HandlerOutcome {
  std::vector<BoxText> writes = {};
  // The M box's tooltip and accessible description; an empty note takes them away, none leaves
  // them as they are.
  std::optional<std::string> m_note = std::nullopt;
  std::optional<FailureMessage> failure = std::nullopt;
};

struct Handler {
  std::span<const std::string_view> reads;  // the boxes the handler reads, in this order
  // Takes the texts of `reads`, in the same order, and the user's number settings.
  HandlerOutcome (*run)(std::span<const std::string> texts, const NumberLocale& locale);
};

// Whether a box's text is empty or blanks only, as a box the user has not filled.
bool IsBlank(std::string_view text);

// The boxes among `reads` whose texts, given in the same order, are blank.
std::vector<std::string_view> EmptyBoxes(std::span<const std::string_view> reads,
                                         std::span<const std::string> texts);

// 显示: the best wire diameter of Text6's pitch and Text7's angle into Text8, unrounded; Text8's
// own change handler then rounds it.
extern const Handler kCommand9_Click;

// Every change of Text8's text: a number is rewritten with three decimals, any other text stays.
extern const Handler kText8_Change;

// 显示M值: the lead angle into Text101, then M into txtm; the converged M as txtm's note.
extern const Handler kCommand101_Click;

}  // namespace threewire::form
