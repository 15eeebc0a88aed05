// What the Create window does, without the window: the current page, values
// typed into its boxes (in the display units, with engineering letters) and
// the texts the boxes show, navigation, the type, the effective flag, the
// formula and constants, Compute, Page OK, All Page OK, Cancel, the two
// clears, dragging the preview, and the page file. Every command returns 0
// or the catalogue message to show; the window shows it and redraws the
// preview from the work memory.
#ifndef ZW_CREATE_CREATESESSION_H
#define ZW_CREATE_CREATESESSION_H

#include "DragGesture.h"
#include "Language.h"
#include "PageComputer.h"
#include "PageFile.h"
#include "PageTable.h"
#include "Units.h"

#include <QString>

#include <optional>

namespace zw::create {

// A typed value: accepted (stored, perhaps limited) or refused (the box
// shows the previous value again); `code` is the result of recomputing the
// page afterwards.
struct TypedValue {
    bool accepted = false;
    int code = 0;
};

class CreateSession {
public:
    // `table` and the work memory belong to the caller and outlive the
    // session. `page` is the page shown first (the one left last time).
    CreateSession(PageTable& table, ZwMemHandle work, const Units& units, CreateMode mode,
                  int page = kFirstPage);

    // Opening: seeds both random sources, clears the work memory, computes
    // the effective pages and then the current one into it (at their own
    // positions; from sample 0 only the current page).
    int open(int seed);
    // Closing in any way: the work memory is cleared.
    void close();

    PageTable& table() { return table_; }
    const PageComputer& computer() const { return computer_; }
    const Units& units() const { return computer_.units(); }
    CreateMode mode() const { return computer_.mode(); }
    int currentPage() const { return current_; }
    const PageRecord& page() const { return table_.page(current_); }

    // Navigation; each shows the page and recomputes it into the work memory.
    int goTo(int number);
    int goFirst() { return goTo(table_.firstPage()); }
    int goPrevious() { return goTo(PageTable::previousPage(current_)); }
    int goNext() { return goTo(PageTable::nextPage(current_)); }
    int goLast() { return goTo(table_.lastPage()); }
    // A page number typed into the page box: refused unless 1 to 200.
    TypedValue typePage(const QString& text);

    int setType(PageType type);
    void setEffective(bool effective);
    // Leaving the formula and constants boxes: stored (trimmed) when they
    // differ; the page is then modified until it is computed.
    void setExpression(const QString& text);
    void setConstants(const QString& text);

    // The parameter boxes Text_0..7 and the area boxes Text_X_0..1.
    TypedValue typeParameter(PageParameter which, const QString& text);
    TypedValue typeArea(int which, const QString& text);
    QString parameterText(PageParameter which) const;
    QString areaText(int which) const;

    // Btn_Comp, Btn_OK, Btn_Confirm, Btn_Cancel.
    int compute();
    int pageOK(CreateTarget& target);
    int allPageOK(CreateTarget& target);
    void cancel();

    // Menu Page Clear and All Page Clear.
    void pageClear();
    void allPageClear();

    // Dragging in the preview, from `position` (a sample of the preview).
    bool beginDrag(double position);
    int dragTo(double samples, double codes, DragModifiers modifiers);
    void endDrag() { dragOrigin_.reset(); }
    bool dragging() const { return dragOrigin_.has_value(); }

    // The page file.
    int save(const QString& path, Language language) const;
    PageFileReading load(const QString& path);

private:
    int recompute();
    void showAllPages();
    void changed();

    PageTable& table_;
    PageComputer computer_;
    int current_;
    std::optional<PageRecord> dragOrigin_;
};

// The texts of the boxes: samples and codes as plain numbers, other units
// with engineering letters ("500u", "1.5k").
QString BoxNumber(double value, bool engineering);

} // namespace zw::create

#endif // ZW_CREATE_CREATESESSION_H
