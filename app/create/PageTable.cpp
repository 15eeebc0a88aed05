// The page table's clearing, marking and navigation rules.
#include "PageTable.h"

#include <algorithm>

namespace zw::create {

PageTable::PageTable(double waveLength) {
    clearAll();
    for (int n = 0; n < kPageRecordCount; ++n) {
        PageRecord& p = pages_[size_t(n)];
        p.End = std::max(0.0, waveLength);
        p.Size = p.End;
    }
}

size_t PageTable::index(int number) {
    return size_t(std::clamp(number, 0, kPageRecordCount - 1));
}

void PageTable::clearAll() {
    for (int n = 0; n < kPageRecordCount; ++n) {
        PageRecord& p = pages_[size_t(n)];
        p.clearAll();
        p.PageNumber = int16_t(n);
        p.ComputedRevision = -1;
    }
}

bool PageTable::markChanged(int number) {
    PageRecord& p = page(number);
    p.touch();
    if (p.Visited || p.Effective)
        return false;
    p.Visited = true;
    p.Effective = true;
    return true;
}

std::optional<int> PageTable::lowestEffective() const {
    for (int n = kFirstPage; n <= kLastPage; ++n)
        if (page(n).Effective)
            return n;
    return std::nullopt;
}

std::optional<int> PageTable::highestEffective() const {
    for (int n = kLastPage; n >= kFirstPage; --n)
        if (page(n).Effective)
            return n;
    return std::nullopt;
}

std::vector<int> PageTable::effectivePages() const {
    std::vector<int> numbers;
    for (int n = kFirstPage; n <= kLastPage; ++n)
        if (page(n).Effective)
            numbers.push_back(n);
    return numbers;
}

int PageTable::firstPage() const {
    return lowestEffective().value_or(kFirstPage);
}

int PageTable::lastPage() const {
    return highestEffective().value_or(kLastPage);
}

int PageTable::previousPage(int from) {
    return from > kFirstPage ? std::min(from, kLastPage + 1) - 1 : kFirstPage;
}

int PageTable::nextPage(int from) {
    return from < kLastPage ? std::max(from, kFirstPage - 1) + 1 : kLastPage;
}

void PageTable::forgetComputed() {
    for (PageRecord& p : pages_)
        p.ComputedRevision = -1;
}

bool PageTable::sameContents(const PageTable& other) const {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (!pages_[i].sameContents(other.pages_[i]))
            return false;
    return true;
}

PageTable& ApplicationPageTable(double waveLength) {
    static PageTable table(waveLength);
    return table;
}

} // namespace zw::create
