// The growth of a benchmark family's times with its size: the least-squares
// slope of log(time) against log(size), 1 for linear growth, 2 for quadratic.
#pragma once

#include <cmath>
#include <map>
#include <string>

// Over the runs named "<family>/<size>" in times whose size lies in [low, high];
// NaN when fewer than two do.
inline double LogLogSlope(const std::map<std::string, double>& times, const std::string& family,
                          double low = 0, double high = INFINITY) {
  double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const auto& [name, time] : times) {
    if (name.rfind(family + "/", 0) != 0) continue;
    const double size = std::stod(name.substr(family.size() + 1));
    if (size < low || size > high) continue;
    const double x = std::log(size), y = std::log(time);
    n += 1, sx += x, sy += y, sxx += x * x, sxy += x * y;
  }
  return n < 2 ? NAN : (n * sxy - sx * sy) / (n * sxx - sx * sx);
}
