// Reading a page file into the page table.
#include "PageFile.h"

#include "TextCodec.h"
#include "docio32.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

namespace zw::create {
namespace {

constexpr double kNotRead = std::numeric_limits<double>::quiet_NaN();

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The header's ranges over the current ones: a value the file does not hold
// keeps the current one.
PageFileScale readScale(std::FILE* file, const PageFileScale& current, bool& found, bool& failed) {
    std::array<double, 4> v{kNotRead, kNotRead, kNotRead, kNotRead};
    failed = ReadWaveListHeader(file, &v[0], &v[1], &v[2], &v[3]) != 0;
    found = false;
    PageFileScale s = current;
    double* targets[4] = {&s.x0, &s.x1, &s.y0, &s.y1};
    for (size_t i = 0; i < v.size(); ++i) {
        if (!std::isnan(v[i])) {
            *targets[i] = v[i];
            found = true;
        }
    }
    return s;
}

bool firstTokenBegins(const std::string& line, const char* prefix) {
    size_t at = line.find_first_not_of(" \t\r\n");
    return at != std::string::npos && line.compare(at, std::strlen(prefix), prefix) == 0;
}

// Whether a page block begins after `from`: then the reading stopped on a
// malformed page rather than at the end of the file.
bool pageFollows(std::FILE* file, long from) {
    if (from < 0 || std::fseek(file, from, SEEK_SET) != 0)
        return false;
    std::string line;
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == '\n') {
            if (firstTokenBegins(line, "StartPage"))
                return true;
            line.clear();
        } else if (line.size() < 64) {
            line += char(c);
        }
    }
    return firstTokenBegins(line, "StartPage");
}

enum class PageOutcome { Stored, Skipped, Malformed, End };

struct RawPage {
    int16_t number = -1;
    int16_t type = -1;
    double start = 0.0;
    double end = 0.0;
    std::array<double, kParameterCount> parameters{};
    std::array<char, DOCIO32_PAGE_CONSTANTS_SIZE> constants{};
    std::array<char, DOCIO32_PAGE_EXPRESSION_SIZE> expression{};
};

PageOutcome readPage(std::FILE* file, const PageFileScale& scale, PageTable& table) {
    RawPage raw;
    raw.parameters = PageRecord().parameters();
    if (ReadOneWaveList(file, &raw.number, &raw.type, &raw.start, &raw.end, raw.parameters.data(),
                        raw.constants.data(), raw.expression.data()) != 1)
        return PageOutcome::End;
    if (raw.number == 0)
        return PageOutcome::Skipped;
    const auto type = PageTypeFromNumber(raw.type);
    if (raw.number < 0 || raw.number >= kPageRecordCount || !type)
        return PageOutcome::Malformed;

    PageRecord p;
    p.PageNumber = raw.number;
    p.Visited = true;
    p.Effective = true;
    p.Type = *type;
    p.Start = scale.fromFileX(raw.start);
    p.End = scale.fromFileX(raw.end);
    for (int i = 0; i < kParameterCount; ++i)
        p.setParameter(static_cast<PageParameter>(i), raw.parameters[size_t(i)]);
    p.Size = scale.fromFileX(p.Size);
    p.Amplitude = scale.fromFileSpan(p.Amplitude);
    p.Constants = NormalizedConstants(DecodeFileText(raw.constants.data()));
    p.Expression = NormalizedExpression(DecodeFileText(raw.expression.data()));
    if (!std::isfinite(p.Start) || !std::isfinite(p.End))
        return PageOutcome::Malformed;
    for (double v : p.parameters())
        if (!std::isfinite(v))
            return PageOutcome::Malformed;

    PageRecord& slot = table.page(raw.number);
    p.Revision = slot.Revision + 1;
    slot = p;
    return PageOutcome::Stored;
}

} // namespace

PageFileReading ReadPageFile(const QString& path, PageTable& table, const Units& units) {
    // Only plain files: opening a pipe without a writer would wait for ever.
    if (!QFileInfo(path).isFile())
        return PageFileReading{kFileReadError, false, 0, false};
    FileHandle file(std::fopen(QFile::encodeName(path).constData(), "rb"));
    if (!file)
        return PageFileReading{kFileReadError, false, 0, false};
    return ReadPageStream(file.get(), table, units);
}

PageFileReading ReadPageStream(std::FILE* file, PageTable& table, const Units& units) {
    PageFileReading result;
    result.code = kFileReadError;
    bool headerFound = false;
    bool failed = false;
    const PageFileScale scale =
        readScale(file, PageFileScale::FromUnits(units), headerFound, failed);
    if (failed || !scale.usable())
        return result;

    PageTable scratch = table;
    scratch.clearAll();
    long afterLastPage = std::ftell(file);
    while (true) {
        const PageOutcome outcome = readPage(file, scale, scratch);
        if (outcome == PageOutcome::Stored)
            ++result.pagesRead;
        if (outcome == PageOutcome::Malformed) {
            result.stoppedEarly = true;
            break;
        }
        if (outcome == PageOutcome::End) {
            result.stoppedEarly = pageFollows(file, afterLastPage);
            break;
        }
        afterLastPage = std::ftell(file);
    }

    if (headerFound || result.pagesRead > 0) {
        scratch.forgetComputed();
        table = scratch;
        result.applied = true;
    }
    result.code = (result.applied && !result.stoppedEarly) ? 0 : kFileReadError;
    return result;
}

} // namespace zw::create
