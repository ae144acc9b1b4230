// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// How plausible a text is as a name or title in the languages whose tags Kivuna repairs:
// Russian, Ukrainian, Belarusian and the Western European languages of Latin-1.
namespace kivuna::textrepair {

// The cost of a text, in eighths of a nat: the less plausible, the higher. It adds up how
// unlikely each letter is after the one before it within a word (so a word that mixes Latin and
// Cyrillic letters costs much), a lower-case letter followed by a capital, and characters that
// names seldom hold (box drawing, stray symbols, control characters).
int TextCost(std::u32string_view text);

} // namespace kivuna::textrepair
