// The progress model behind the gauge: range, clamping and percentage.
#pragma once

namespace core {

class Gauge {
 public:
  virtual ~Gauge() = default;

  int MinValue() const { return 0; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }
  // Whole-number percentage of the range done (0 for an empty range).
  int PercentDone() const;

  // A maximum below the minimum raises "Value must be between %d and %d".
  void SetMaxValue(int value);
  // Clamped to the range; Changed() runs when the percentage moves.
  void SetProgress(int value);

 protected:
  // Repaint hook: called whenever the shown state may differ.
  virtual void Changed() {}

 private:
  int max_ = 100;
  int progress_ = 0;
};

}  // namespace core
