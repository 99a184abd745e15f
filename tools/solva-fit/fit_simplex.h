// A small Nelder-Mead minimiser over a few continuous parameters.
#pragma once

#include <functional>
#include <vector>

namespace solva {

using Objective = std::function<double(const std::vector<double>&)>;

// Minimises f from x with initial steps; x receives the best point found.
// Returns its value. evaluations bounds the number of calls of f.
double minimiseSimplex(std::vector<double>& x, const std::vector<double>& steps, int evaluations, const Objective& f);

}  // namespace solva
