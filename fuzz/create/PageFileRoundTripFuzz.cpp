// The page file from anywhere: whatever a file holds, reading it, writing
// the table and reading that again gives the table read, within the 15
// digits a number is written with; one more write and read changes nothing.
#include "PageFile.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace zw;
using namespace zw::create;

namespace {

bool close(double a, double b) {
    if (a == b)
        return true;
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

bool closeTables(const PageTable& x, const PageTable& y) {
    for (int n = 0; n < kPageRecordCount; ++n) {
        const PageRecord& a = x.page(n);
        const PageRecord& b = y.page(n);
        if (a.PageNumber != b.PageNumber || a.Visited != b.Visited || a.Effective != b.Effective ||
            a.Type != b.Type || !close(a.Start, b.Start) || !close(a.End, b.End) ||
            a.Constants != b.Constants || a.Expression != b.Expression)
            return false;
        const auto pa = a.parameters();
        const auto pb = b.parameters();
        for (size_t i = 0; i < pa.size(); ++i)
            if (!close(pa[i], pb[i]))
                return false;
    }
    return true;
}

PageFileReading readBytes(std::vector<char> bytes, PageTable& table, const Units& units) {
    if (bytes.empty())
        bytes.push_back('\n');
    std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!file)
        std::abort();
    const PageFileReading r = ReadPageStream(file, table, units);
    std::fclose(file);
    return r;
}

std::vector<char> written(const PageTable& table, const Units& units) {
    const QByteArray text = PageFileText(table, units, Language::English);
    return {text.begin(), text.end()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UnitSetting samples;
    samples.WaveLength = 1000;
    const Units units(samples);

    PageTable first(1000);
    const PageFileReading r = readBytes(std::vector<char>(data, data + size), first, units);
    if (!r.applied)
        return 0;
    PageTable second(1000);
    if (readBytes(written(first, units), second, units).code != 0)
        std::abort(); // what we write must read back whole
    if (!closeTables(first, second))
        std::abort();
    PageTable third(1000);
    if (readBytes(written(second, units), third, units).code != 0 || !third.sameContents(second))
        std::abort();
    return 0;
}
