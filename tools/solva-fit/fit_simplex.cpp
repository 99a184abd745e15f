#include "fit_simplex.h"

#include <algorithm>
#include <numeric>

namespace solva {

namespace {

using Point = std::vector<double>;

Point along(const Point& centroid, const Point& worst, double k) {
    Point x(centroid.size());
    for (size_t d = 0; d < x.size(); ++d) x[d] = centroid[d] + k * (worst[d] - centroid[d]);
    return x;
}

}  // namespace

double minimiseSimplex(std::vector<double>& x, const std::vector<double>& steps, int evaluations, const Objective& f) {
    const size_t n = x.size();
    std::vector<Point> simplex(n + 1, x);
    for (size_t i = 0; i < n; ++i) simplex[i + 1][i] += steps[i];
    std::vector<double> cost(n + 1);
    for (size_t i = 0; i <= n; ++i) cost[i] = f(simplex[i]);
    int used = static_cast<int>(n + 1);
    std::vector<size_t> order(n + 1);
    while (used < evaluations && n > 0) {
        std::iota(order.begin(), order.end(), size_t{0});
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return cost[a] < cost[b]; });
        const size_t best = order[0], worst = order[n], second = order[n - 1];
        Point centroid(n, 0.0);
        for (size_t i = 0; i <= n; ++i)
            if (i != worst)
                for (size_t d = 0; d < n; ++d) centroid[d] += simplex[i][d] / static_cast<double>(n);
        const Point xr = along(centroid, simplex[worst], -1.0);
        const double cr = f(xr);
        ++used;
        if (cr < cost[best]) {
            const Point xe = along(centroid, simplex[worst], -2.0);
            const double ce = f(xe);
            ++used;
            simplex[worst] = ce < cr ? xe : xr;
            cost[worst] = std::min(ce, cr);
        } else if (cr < cost[second]) {
            simplex[worst] = xr;
            cost[worst] = cr;
        } else {
            const Point xc = along(centroid, simplex[worst], 0.5);
            const double cc = f(xc);
            ++used;
            if (cc < cost[worst]) {
                simplex[worst] = xc;
                cost[worst] = cc;
            } else {  // shrink towards the best point
                for (size_t i = 0; i <= n; ++i) {
                    if (i == best) continue;
                    for (size_t d = 0; d < n; ++d) simplex[i][d] = 0.5 * (simplex[i][d] + simplex[best][d]);
                    cost[i] = f(simplex[i]);
                    ++used;
                }
            }
        }
    }
    const size_t best = static_cast<size_t>(std::min_element(cost.begin(), cost.end()) - cost.begin());
    x = simplex[best];
    return cost[best];
}

}  // namespace solva
