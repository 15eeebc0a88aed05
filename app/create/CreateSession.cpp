// The Create window's commands on the page table.
#include "CreateSession.h"

#include "NumberFormat.h"
#include "RandomSeed.h"
#include "formula32.h"

#include <algorithm>
#include <cmath>

namespace zw::create {
namespace {

constexpr char16_t kBoxPattern[] = u"0.######";

std::optional<double> typedNumber(const QString& text) {
    const auto value = NumberFormat::ReadEngineering(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

bool engineeringX(const Units& units) {
    return units.setting().XUnit == 1 || units.setting().XUnit == 2;
}

bool engineeringY(const Units& units) {
    return units.setting().YUnit == 1 || units.setting().YUnit == 2;
}

} // namespace

QString BoxNumber(double value, bool engineering) {
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0");
    if (engineering)
        return NumberFormat::FormatEngineering(value, kBoxPattern);
    QString text = NumberFormat::Format(value, kBoxPattern);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

CreateSession::CreateSession(PageTable& table, ZwMemHandle work, const Units& units,
                             CreateMode mode, int page)
    : table_(table), computer_(work, units, mode),
      current_(std::clamp(page, kFirstPage, kLastPage)) {}

int CreateSession::open(int seed) {
    SeedRandomSources(seed);
    computer_.clearWork();
    table_.forgetComputed();
    showAllPages();
    return recompute();
}

// At their own positions the pages make one waveform: the preview shows the
// other effective pages too. Their errors are for their own turn.
void CreateSession::showAllPages() {
    if (mode() != CreateMode::InPlace)
        return;
    for (int number : table_.effectivePages()) {
        const PageRecord& p = table_.page(number);
        if (number != current_ && !(p.Type == PageType::Expression && p.Expression.isEmpty()))
            computer_.Make_Wave(p);
    }
    table_.forgetComputed();
}

void CreateSession::close() {
    dragOrigin_.reset();
    computer_.clearWork();
    table_.forgetComputed();
}

// Shows the current page in the work memory. An expression page without a
// formula has nothing to show yet.
int CreateSession::recompute() {
    const PageRecord& p = page();
    if (p.Type == PageType::Expression && p.Expression.isEmpty())
        return 0;
    return ComputePage(table_, current_, computer_);
}

void CreateSession::changed() {
    table_.markChanged(current_);
}

int CreateSession::goTo(int number) {
    current_ = std::clamp(number, kFirstPage, kLastPage);
    dragOrigin_.reset();
    return recompute();
}

TypedValue CreateSession::typePage(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || number < kFirstPage || number > kLastPage)
        return {};
    return {true, goTo(number)};
}

int CreateSession::setType(PageType type) {
    table_.page(current_).Type = type;
    changed();
    return recompute();
}

void CreateSession::setEffective(bool effective) {
    PageRecord& p = table_.page(current_);
    if (p.Effective == effective)
        return;
    p.Effective = effective;
    p.Visited = true;
}

void CreateSession::setExpression(const QString& text) {
    PageRecord& p = table_.page(current_);
    const QString kept = NormalizedExpression(text);
    if (kept == p.Expression)
        return;
    p.Expression = kept;
    changed();
}

void CreateSession::setConstants(const QString& text) {
    PageRecord& p = table_.page(current_);
    const QString kept = NormalizedConstants(text);
    if (kept == p.Constants)
        return;
    p.Constants = kept;
    changed();
}

TypedValue CreateSession::typeParameter(PageParameter which, const QString& text) {
    const auto typed = typedNumber(text);
    if (!typed)
        return {};
    const Units& u = units();
    PageRecord& p = table_.page(current_);
    const double n = computer_.waveLength();
    switch (which) {
    case PageParameter::Offset:
        p.Offset = std::clamp(u.YUnitToCode(u.LimitY(*typed).value), -32768.0, 32767.0);
        break;
    case PageParameter::Amplitude:
        p.Amplitude = u.YUnitToDifference(u.LimitYDifference(*typed).value);
        break;
    case PageParameter::Size:
        p.Size = std::clamp(u.XUnitToDistance(*typed), 0.0, std::max(0.0, n - p.Start));
        p.End = p.Start + p.Size;
        break;
    default:
        p.setParameter(which, *typed);
        break;
    }
    changed();
    return {true, recompute()};
}

TypedValue CreateSession::typeArea(int which, const QString& text) {
    const auto typed = typedNumber(text);
    if (!typed)
        return {};
    const Units& u = units();
    PageRecord& p = table_.page(current_);
    const double position = std::clamp(u.XUnitToPosition(u.LimitX(*typed).value), 0.0,
                                       std::max(0.0, computer_.waveLength()));
    (which == 0 ? p.Start : p.End) = position;
    p.Size = p.End - p.Start;
    changed();
    return {true, recompute()};
}

QString CreateSession::parameterText(PageParameter which) const {
    const Units& u = units();
    const PageRecord& p = page();
    switch (which) {
    case PageParameter::Offset:
        return BoxNumber(u.YCodeToUnit(p.Offset), engineeringY(u));
    case PageParameter::Amplitude:
        return BoxNumber(u.YDifferenceToUnit(p.Amplitude), engineeringY(u));
    case PageParameter::Size:
        return BoxNumber(u.XDistanceToUnit(p.Size), engineeringX(u));
    default:
        return BoxNumber(p.parameter(which), false);
    }
}

QString CreateSession::areaText(int which) const {
    const double position = which == 0 ? page().Start : page().End;
    return BoxNumber(units().XPositionToUnit(position), engineeringX(units()));
}

int CreateSession::compute() {
    return ComputeWithConstantCheck(table_, current_, computer_);
}

int CreateSession::pageOK(CreateTarget& target) {
    return PageOK(table_, current_, computer_, target);
}

int CreateSession::allPageOK(CreateTarget& target) {
    return AllPageOK(table_, computer_, target);
}

void CreateSession::cancel() {
    ClearConstant();
}

void CreateSession::pageClear() {
    computer_.clearStretch(page());
    table_.page(current_).clearValues();
    table_.forgetComputed();
}

void CreateSession::allPageClear() {
    computer_.clearWork();
    table_.clearAll();
    current_ = kFirstPage;
}

bool CreateSession::beginDrag(double position) {
    if (!DragStartsOnPage(page(), position, mode() == CreateMode::FromZero))
        return false;
    dragOrigin_ = page();
    return true;
}

int CreateSession::dragTo(double samples, double codes, DragModifiers modifiers) {
    if (!dragOrigin_)
        return 0;
    PageRecord moved = DraggedPage(*dragOrigin_, samples, codes, modifiers);
    PageRecord& p = table_.page(current_);
    for (int i = 0; i < kParameterCount; ++i) {
        const auto which = static_cast<PageParameter>(i);
        p.setParameter(which, moved.parameter(which));
    }
    changed();
    return recompute();
}

int CreateSession::save(const QString& path, Language language) const {
    return SavePageFile(path, table_, units(), language);
}

PageFileReading CreateSession::load(const QString& path) {
    const PageFileReading r = ReadPageFile(path, table_, units());
    if (r.applied) {
        computer_.clearWork();
        current_ = table_.firstPage();
        showAllPages();
        recompute();
    }
    return r;
}

} // namespace zw::create
