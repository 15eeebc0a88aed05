// From the numbers of a column to sample codes. When every number is whole
// and within -32768 .. 32767 the numbers are the codes. Otherwise they are
// scaled so that the largest magnitude becomes +32767 or -32767 and 0 stays
// 0: code = nearest(value / largest magnitude * 32767), a half going to the
// even code. Example: 0, 1, -4, 2.5 become 0, 8192, -32767, 20479.
#ifndef ZW_PLUGINS_CODESCALING_H
#define ZW_PLUGINS_CODESCALING_H

#include <cstdint>

namespace zw::textimport {

class CodeScaling {
public:
    // Every value of the column, before the first call of code().
    void add(double value);
    int16_t code(double value) const;
    bool valuesAreCodes() const { return allCodes_; }

private:
    bool allCodes_ = true;
    double largest_ = 0.0;
};

} // namespace zw::textimport

#endif // ZW_PLUGINS_CODESCALING_H
