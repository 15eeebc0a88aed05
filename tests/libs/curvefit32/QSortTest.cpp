// Q_Sort: ascending keys with their values carried along, only inside the
// range asked for, and safe on keys that do not compare (NaN) or are adverse.
#include "curvefit32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <utility>

namespace {

std::vector<std::pair<double, double>> pairsOf(const std::vector<double>& k,
                                               const std::vector<double>& v) {
    std::vector<std::pair<double, double>> p;
    for (std::size_t i = 0; i < k.size(); ++i)
        p.emplace_back(k[i], v[i]);
    return p;
}

void sortAll(std::vector<double>& k, std::vector<double>& v) {
    Q_Sort(k.data(), v.data(), 0, static_cast<int32_t>(k.size()) - 1);
}

} // namespace

TEST(QSort, SortsKeysAndCarriesTheirValues) {
    std::vector<double> k{3, 1, 2}, v{30, 10, 20};
    sortAll(k, v);
    EXPECT_EQ(k, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(v, (std::vector<double>{10, 20, 30}));

    std::mt19937 rng(5);
    for (const int size : {2, 3, 17, 1000, 20000}) {
        SCOPED_TRACE(size);
        std::uniform_int_distribution<int> key(0, size / 3 + 1); // many equal keys
        std::vector<double> keys, values;
        for (int i = 0; i < size; ++i) {
            keys.push_back(key(rng) * 0.5);
            values.push_back(i);
        }
        auto expected = pairsOf(keys, values);
        sortAll(keys, values);
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
        auto got = pairsOf(keys, values);
        std::sort(expected.begin(), expected.end());
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, expected) << "every value stays with its key";
    }
}

TEST(QSort, TouchesOnlyTheRangeAskedFor) {
    std::vector<double> k{9, 8, 7, 6, 5, 4}, v{1, 2, 3, 4, 5, 6};
    Q_Sort(k.data(), v.data(), 1, 4);
    EXPECT_EQ(k, (std::vector<double>{9, 5, 6, 7, 8, 4}));
    EXPECT_EQ(v, (std::vector<double>{1, 5, 4, 3, 2, 6}));
    // Empty, single, reversed and negative ranges and NULL arrays: no change.
    const auto keys = k, values = v;
    Q_Sort(k.data(), v.data(), 3, 3);
    Q_Sort(k.data(), v.data(), 4, 1);
    Q_Sort(k.data(), v.data(), -2, 3);
    Q_Sort(nullptr, v.data(), 0, 5);
    Q_Sort(k.data(), nullptr, 0, 5);
    EXPECT_EQ(k, keys);
    EXPECT_EQ(v, values);
}

TEST(QSort, AdverseOrdersAndNaNKeysStayInBounds) {
    // The organ pipe is the middle pivot's quadratic case; it must still end.
    const int size = 20000;
    std::vector<double> sorted(size), reversed(size), equal(size, 1.0), organ(size), v(size);
    for (int i = 0; i < size; ++i) {
        sorted[i] = i;
        reversed[i] = size - i;
        organ[i] = std::min(i, size - i);
    }
    for (auto* keys : {&sorted, &reversed, &equal, &organ}) {
        sortAll(*keys, v);
        EXPECT_TRUE(std::is_sorted(keys->begin(), keys->end()));
    }
    // NaN compares with nothing: no order is promised, but the sort ends,
    // stays inside the range and keeps every key.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> k{4, nan, 2, nan, 1, 3, nan}, vals{0, 1, 2, 3, 4, 5, 6};
    sortAll(k, vals);
    EXPECT_EQ(std::count_if(k.begin(), k.end(), [](double x) { return x != x; }), 3);
    std::vector<double> all(7, nan), w(7);
    sortAll(all, w);
}
