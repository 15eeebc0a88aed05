// The table of creation pages: 203 records, entries 1 to 200 offered to the
// user (entry 0 and entries 201 and 202 are never shown). The editor keeps
// one table for the whole run (ApplicationPageTable), so reopening the
// Create window shows the pages the user left; other programs make their
// own.
#ifndef ZW_CREATE_PAGETABLE_H
#define ZW_CREATE_PAGETABLE_H

#include "PageRecord.h"

#include <array>
#include <optional>
#include <vector>

namespace zw::create {

inline constexpr int kPageRecordCount = 203;
inline constexpr int kFirstPage = 1;
inline constexpr int kLastPage = 200;

class PageTable {
public:
    // Every page cleared (All Page Clear), each stretch covering the first
    // `waveLength` samples so that a new page shows something at once.
    explicit PageTable(double waveLength = 0.0);

    PageRecord& page(int number) { return pages_[index(number)]; }
    const PageRecord& page(int number) const { return pages_[index(number)]; }

    // All Page Clear: every page back to a cleared sine over 0 .. 0.
    void clearAll();

    // Marks a changed page: a page that is neither visited nor effective
    // becomes both. Counts the page's revision. True when the effective flag
    // was switched on by this.
    bool markChanged(int number);

    // Navigation of the page box and buttons (pages 1 to 200).
    int firstPage() const;             // the lowest effective page, else 1
    int lastPage() const;              // the highest effective page, else 200
    static int previousPage(int from); // one down, page 1 stays
    static int nextPage(int from);     // one up, page 200 stays

    std::optional<int> lowestEffective() const;
    std::optional<int> highestEffective() const;
    // Effective pages 1 to 200 in page order.
    std::vector<int> effectivePages() const;

    // Forget which page the work memory holds (a clear or another page was
    // computed into it).
    void forgetComputed();

    // Every record, all 203 (entries 0, 201 and 202 included).
    const std::array<PageRecord, kPageRecordCount>& records() const { return pages_; }

    bool sameContents(const PageTable& other) const;

private:
    static size_t index(int number);
    std::array<PageRecord, kPageRecordCount> pages_;
};

// The editor's table for the whole run. Made at its first use, with page
// stretches covering `waveLength` samples.
PageTable& ApplicationPageTable(double waveLength);

} // namespace zw::create

#endif // ZW_CREATE_PAGETABLE_H
