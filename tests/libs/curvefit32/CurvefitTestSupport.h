// Test helpers: a wave memory owned by the test, and reference splines written
// from the textbook equations, independent of the library's formulation.
#ifndef CURVEFIT32_TESTS_SUPPORT_H
#define CURVEFIT32_TESTS_SUPPORT_H

#include "zwplatform.hpp"

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace curvefit_test {

// A wave memory allocated through the platform layer and freed on scope exit.
class TestMemory {
public:
    explicit TestMemory(std::size_t samples, std::function<int16_t(int)> fill = {})
        : handle_(ZwGlobalAlloc(samples * sizeof(int16_t))) {
        if (fill) {
            const zw::LockedBlock<int16_t> block(handle_);
            for (std::size_t i = 0; i < block.size(); ++i)
                block[i] = fill(static_cast<int>(i));
        }
    }
    ~TestMemory() { ZwGlobalFree(handle_); }
    TestMemory(const TestMemory&) = delete;
    TestMemory& operator=(const TestMemory&) = delete;

    ZwMemHandle handle() const { return handle_; }
    std::vector<int16_t> codes() const {
        const zw::LockedBlock<int16_t> block(handle_);
        return {block.data(), block.data() + block.size()};
    }
    int16_t operator[](int i) const { return codes()[static_cast<std::size_t>(i)]; }

private:
    ZwMemHandle handle_;
};

// A distinct, recognisable existing waveform: code i*7 - 3000, wrapped.
inline int16_t rampCode(int i) {
    return static_cast<int16_t>((i * 7) % 6000 - 3000);
}

inline int16_t roundHalfUpLimited(double v) {
    const double r = std::floor(v + 0.5);
    return static_cast<int16_t>(r > 32767 ? 32767 : r < -32768 ? -32768 : r);
}

// The natural cubic spline as the numerical-analysis textbooks give it:
// S_j(x) = a_j + b_j (x - x_j) + c_j (x - x_j)^2 + d_j (x - x_j)^3, with
// c = S''/2, solved by the l/mu/z sweep, c_0 = c_n = 0.
class TextbookNaturalSpline {
public:
    TextbookNaturalSpline(std::vector<double> x, std::vector<double> a)
        : x_(std::move(x)), a_(std::move(a)) {
        const std::size_t n = x_.size() - 1;
        std::vector<double> h(n), alpha(n, 0.0), l(n + 1), mu(n + 1), zz(n + 1);
        for (std::size_t i = 0; i < n; ++i)
            h[i] = x_[i + 1] - x_[i];
        for (std::size_t i = 1; i < n; ++i)
            alpha[i] = 3 / h[i] * (a_[i + 1] - a_[i]) - 3 / h[i - 1] * (a_[i] - a_[i - 1]);
        l[0] = 1;
        mu[0] = 0;
        zz[0] = 0;
        for (std::size_t i = 1; i < n; ++i) {
            l[i] = 2 * (x_[i + 1] - x_[i - 1]) - h[i - 1] * mu[i - 1];
            mu[i] = h[i] / l[i];
            zz[i] = (alpha[i] - h[i - 1] * zz[i - 1]) / l[i];
        }
        c_.assign(n + 1, 0.0);
        b_.assign(n, 0.0);
        d_.assign(n, 0.0);
        for (std::size_t j = n; j-- > 0;) {
            c_[j] = zz[j] - mu[j] * c_[j + 1];
            b_[j] = (a_[j + 1] - a_[j]) / h[j] - h[j] * (c_[j + 1] + 2 * c_[j]) / 3;
            d_[j] = (c_[j + 1] - c_[j]) / (3 * h[j]);
        }
    }

    // Second derivative over 6 at knot i (the library's z).
    double zAt(std::size_t i) const { return c_[i] / 3; }

    double operator()(double t) const {
        std::size_t j = 0;
        while (j + 2 < x_.size() && t > x_[j + 1])
            ++j;
        const double u = t - x_[j];
        return a_[j] + u * (b_[j] + u * (c_[j] + u * d_[j]));
    }

private:
    std::vector<double> x_, a_, b_, c_, d_;
};

// Second derivatives M of the periodic cubic spline through x[0..N] (period
// x[N] - x[0]), by dense Gaussian elimination of the cyclic system
// h[i-1] M[i-1] + 2 (h[i-1] + h[i]) M[i] + h[i] M[i+1] = 6 (s[i] - s[i-1]),
// indices taken modulo N. Returns M[0..N] with M[N] = M[0].
inline std::vector<double> periodicSecondDerivatives(const std::vector<double>& x,
                                                     const std::vector<double>& y) {
    const std::size_t N = x.size() - 1;
    std::vector<double> h(N), s(N);
    for (std::size_t i = 0; i < N; ++i) {
        h[i] = x[i + 1] - x[i];
        s[i] = (y[i + 1] - y[i]) / h[i];
    }
    std::vector<std::vector<double>> a(N, std::vector<double>(N + 1, 0.0));
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t prev = (i + N - 1) % N;
        const std::size_t next = (i + 1) % N;
        a[i][prev] += h[prev];
        a[i][i] += 2 * (h[prev] + h[i]);
        a[i][next] += h[i];
        a[i][N] = 6 * (s[i] - s[prev]);
    }
    for (std::size_t col = 0; col < N; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < N; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        std::swap(a[col], a[pivot]);
        for (std::size_t r = 0; r < N; ++r) {
            if (r == col)
                continue;
            const double f = a[r][col] / a[col][col];
            for (std::size_t c = col; c <= N; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    std::vector<double> m(N + 1);
    for (std::size_t i = 0; i < N; ++i)
        m[i] = a[i][N] / a[i][i];
    m[N] = m[0];
    return m;
}

} // namespace curvefit_test

#endif // CURVEFIT32_TESTS_SUPPORT_H
