#pragma once
#include <functional>

class TCalculationForm;

// The questions asked before the program ends: the elastic table not yet saved, then the
// litholog. saveElastic and saveLitholog save them and say whether they did; saveLitholog may
// be empty where the litholog cannot be saved to a file. True when the window may close;
// keepLitholog then tells whether the intervals stay in their table for the next start.
bool askExitQuestions(TCalculationForm& form, const std::function<bool()>& saveElastic,
                      const std::function<bool()>& saveLitholog, bool& keepLitholog);
