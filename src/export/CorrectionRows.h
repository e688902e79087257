#pragma once
// The chamber corrections of a data set as a labelled block of the data file, after the
// measurement rows: one row per reading and one with the factor, per correction.
#include <string>
#include <vector>

#include "document/CorrectionResult.h"

// The block with commas between its columns; empty when there is no correction.
std::string CorrectionBlock(const std::vector<CORRECTION_RESULT>& results);
