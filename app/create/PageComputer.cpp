// Make_Wave and the two ways of putting pages into the target.
#include "PageComputer.h"

#include "ExpressionText.h"
#include "formula32.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <cmath>

namespace zw::create {
namespace {

constexpr int kConstantFormatError = 18;
constexpr int kSyntaxError = 100;

bool finitePage(const PageRecord& p) {
    if (!std::isfinite(p.Start) || !std::isfinite(p.End))
        return false;
    for (double v : p.parameters())
        if (!std::isfinite(v))
            return false;
    return true;
}

// Evaluator results as catalogue codes.
int messageCode(int16_t result) {
    return result == -1 ? kConstantFormatError : int(result);
}

// Where the evaluator stopped inside the text; text left over after the
// expression ('3 4') is a syntax error the evaluator leaves to its caller.
bool stoppedEarly(const std::string& text, int16_t position) {
    if (position < 0 || position >= 32767)
        return false;
    for (size_t i = size_t(position); i < text.size(); ++i)
        if (!std::isspace(static_cast<unsigned char>(text[i])))
            return true;
    return false;
}

void clearWhole(ZwMemHandle memory) {
    const zw::LockedBlock<int16_t> block(memory);
    if (block)
        std::ranges::fill(block.span(), int16_t{0});
}

} // namespace

PageStretch PageComputer::stretchOf(const PageRecord& page) const {
    if (!finitePage(page))
        return {};
    const double n = std::max(0.0, waveLength());
    if (mode_ == CreateMode::FromZero)
        return {0.0, std::clamp(page.End - page.Start, 0.0, n)};
    const double first = std::clamp(page.Start, 0.0, n);
    const double end = std::clamp(page.End, first, n);
    return {first, end - first};
}

int PageComputer::Make_Wave(const PageRecord& page) const {
    const PageStretch at = stretchOf(page);
    if (at.length <= 0.0)
        return 0;
    // The shapes keep their phase from the page's own start; the library
    // keeps every sample inside the memory.
    const double start = mode_ == CreateMode::FromZero ? 0.0 : page.Start;
    const double length = page.End - page.Start;
    switch (page.Type) {
    case PageType::Sine:
        W_MakeSin(work_, start, length, page.Offset, page.Amplitude, page.Cycles, page.Phase);
        return 0;
    case PageType::Triangle:
        W_MakeTriangle(work_, start, length, page.Offset, page.Amplitude, page.Cycles, page.Phase,
                       page.Symmetry);
        return 0;
    case PageType::Square:
        W_MakeSquare(work_, start, length, page.Offset, page.Amplitude, page.Cycles, page.Phase,
                     page.Duty, page.Transition);
        return 0;
    case PageType::Noise:
        W_MakeNoise(work_, at.first, at.length, page.Offset, page.Amplitude);
        return 0;
    case PageType::DcLevel:
        W_MakeDC(work_, at.first, at.length, std::clamp(page.Offset, -32768.0, 32767.0));
        return 0;
    case PageType::Expression:
        return makeExpression(page, at);
    }
    return 0;
}

int PageComputer::makeExpression(const PageRecord& page, PageStretch at) const {
    const std::string text = PrepareExpression(page.Expression, page.Constants, units_);
    int16_t position = -1;
    const int16_t result = EvalArray1(at.first, at.length, work_, &position, text.c_str());
    if (result != 0)
        return messageCode(result);
    return stoppedEarly(text, position) ? kSyntaxError : 0;
}

int PageComputer::checkConstants(PageRecord& page) const {
    page.Constants = page.Constants.toLower();
    for (double sample : {page.Start, page.End}) {
        int32_t value = 0;
        int16_t position = 0;
        const std::string text = ConstantCheckText(page.Constants, sample);
        if (EvalOne(text.c_str(), &value, &position) != 0)
            return kConstantFormatError;
    }
    return 0;
}

void PageComputer::clearWork() const {
    W_ClearMemory(work_, 0.0, std::max(0.0, waveLength()));
}

void PageComputer::clearStretch(const PageRecord& page) const {
    const PageStretch at = stretchOf(page);
    if (at.length > 0.0)
        W_ClearMemory(work_, at.first, at.length);
}

void PageComputer::copyToTarget(const PageRecord& page, ZwMemHandle target) const {
    const PageStretch at = stretchOf(page);
    if (at.length > 0.0)
        W_CopyMemory(work_, target, at.first, at.first, at.length);
}

int ComputePage(PageTable& table, int number, const PageComputer& computer) {
    table.forgetComputed();
    PageRecord& page = table.page(number);
    const int code = computer.Make_Wave(page);
    if (code == 0)
        page.ComputedRevision = page.Revision;
    return code;
}

int ComputeWithConstantCheck(PageTable& table, int number, const PageComputer& computer) {
    PageRecord& page = table.page(number);
    const QString before = page.Constants;
    if (const int code = computer.checkConstants(page); code != 0)
        return code;
    if (page.Constants != before)
        page.touch();
    const int code = ComputePage(table, number, computer);
    if (code == 0) {
        table.markChanged(number);
        page.ComputedRevision = page.Revision;
    }
    return code;
}

namespace {

void prepareTarget(CreateTarget& target) {
    if (target.backup)
        target.backup();
    else
        clearWhole(target.memory);
}

} // namespace

int AllPageOK(PageTable& table, const PageComputer& computer, CreateTarget& target) {
    const std::vector<int> pages = table.effectivePages();
    if (pages.empty())
        return 0;
    computer.clearWork();
    ClearConstant();
    table.forgetComputed();
    for (int number : pages) {
        const int code = computer.Make_Wave(table.page(number));
        if (code != 0)
            return code;
    }
    prepareTarget(target);
    for (int number : pages)
        computer.copyToTarget(table.page(number), target.memory);
    ClearConstant();
    return 0;
}

int PageOK(PageTable& table, int number, const PageComputer& computer, CreateTarget& target) {
    if (table.page(number).modified())
        if (const int code = ComputePage(table, number, computer); code != 0)
            return code;
    prepareTarget(target);
    computer.copyToTarget(table.page(number), target.memory);
    ClearConstant();
    return 0;
}

} // namespace zw::create
