#pragma once

#include "Features/DailyWord/DailyWord.h"

#include <vector>

// The built-in table: 366 verses, row i the word of day i + 1 of the year, each text and
// reference localised. Built once, on first use.
namespace DailyWords {
const std::vector<DailyWord> &all();
}
