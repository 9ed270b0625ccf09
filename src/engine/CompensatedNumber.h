#pragma once

namespace qnetica {

// A number carried as the unevaluated sum of two long doubles, High + Low with |Low| at most
// half a unit in the last place of High: about 128 bits. It serves where a difference of nearly
// equal sums must keep the precision of its terms. Products of long doubles are split exactly
// (Dekker), sums are formed without loss (Knuth's two-sum); a value that is not finite is
// carried in High alone.
class CompensatedNumber {
  public:
    CompensatedNumber() = default;
    explicit CompensatedNumber(long double value) : high_(value) {}

    // x * y, exact.
    static CompensatedNumber Product(long double x, long double y);

    CompensatedNumber operator*(long double factor) const;
    CompensatedNumber operator-(const CompensatedNumber& other) const;

    // Rounded to one long double.
    long double Value() const { return high_ + low_; }

  private:
    CompensatedNumber(long double high, long double low) : high_(high), low_(low) {}
    // x + y, exact.
    static CompensatedNumber Sum(long double x, long double y);

    long double high_ = 0;
    long double low_ = 0;
};

}  // namespace qnetica
