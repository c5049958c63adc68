#include "core/gauge.h"

#include <climits>

#include "core/error.h"

namespace core {

int Gauge::PercentDone() const {
  const long long range = static_cast<long long>(max_) - MinValue();
  if (range == 0) return 0;
  return static_cast<int>((static_cast<long long>(progress_) - MinValue()) * 100 / range);
}

void Gauge::SetMaxValue(int value) {
  if (value == max_) return;
  if (value < MinValue()) throw Error(Format("Value must be between %d and %d", MinValue(), INT_MAX));
  max_ = value;
  if (progress_ > max_) progress_ = max_;
  Changed();
}

void Gauge::SetProgress(int value) {
  const int before = PercentDone();
  if (value < MinValue()) value = MinValue();
  if (value > max_) value = max_;
  progress_ = value;
  if (PercentDone() != before) Changed();
}

}  // namespace core
