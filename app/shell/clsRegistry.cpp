// The settings store of the editor and the registration of its instances.
#include "clsRegistry.h"

#include "NumberFormat.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace zw {
namespace {

const QString kSystem = QStringLiteral("System");
const QString kFormProperty = QStringLiteral("FormProperty");
const QString kWinHandle = QStringLiteral("WinHandle");
const QString kWinCount = QStringLiteral("WinCount");
const QString kBusy = QStringLiteral("Busy");
const QString kOwner = QStringLiteral("Owner");
const QString kAddress = QStringLiteral("Address");
const QString kFalse = QStringLiteral("False");
const QString kTrue = QStringLiteral("True");

constexpr int kDefaultGpibBoard = 3;
constexpr int kMaxInstanceNumber = 32767; // the instance number is a 16-bit value
constexpr int kInstanceNumberAttempts = 64;
constexpr qint64 kVisibleTwips = 1000;

// A stored number as an integer in [lo, hi]: nearest, halves to even.
int toInt(double v, int lo, int hi) {
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, double(lo), double(hi))));
}

int toInt16(const QString& text) {
    return toInt(NumberFormat::ValueOfText(text), std::numeric_limits<int16_t>::min(),
                 std::numeric_limits<int16_t>::max());
}

int toInt32(const QString& text) {
    return toInt(NumberFormat::ValueOfText(text), std::numeric_limits<int>::min(),
                 std::numeric_limits<int>::max());
}

bool isTrueText(const std::optional<QString>& v) {
    return v && v->compare(u"true", Qt::CaseInsensitive) == 0;
}

QString boardSection(int board) {
    return QString::number(board) + QStringLiteral("GPIB");
}

bool validBoard(int board) {
    return board >= 0 && board <= clsRegistry::kMaxBoard;
}

int nextInstanceNumber(int n) {
    return (n < 0 || n >= kMaxInstanceNumber) ? 1 : n + 1;
}

} // namespace

QString clsRegistry::DefaultSettingsFile() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString file = QStringLiteral("ZW4410/ZW4410.ini");
    return config.isEmpty() ? file : config + u'/' + file;
}

clsRegistry::clsRegistry(const QString& settingsFile, int lockTimeoutMs)
    : store_(settingsFile, lockTimeoutMs), instances_(store_.instanceDirectory()) {
    SettingsStore::Sequence sequence(store_);
    if (store_.timedOut()) {
        settingsLocked_ = true;
        released_ = true; // nothing registered, nothing to end
        return;
    }
    registerInstance();
    debugMode_ = isTrueText(store_.read(kSystem, QStringLiteral("DebugMode")));
    loopTest_ = isTrueText(store_.read(kSystem, QStringLiteral("LoopTest")));
    loadForms();
}

clsRegistry::~clsRegistry() {
    Release();
}

void clsRegistry::registerInstance() {
    SettingsStore::Sequence sequence(store_);
    const QList<int> others = instances_.othersAlive();
    previousInstance_ = !others.isEmpty();
    int handle = 0;
    if (!previousInstance_) {
        clearBusyMarks(false, others);
        store_.write(kSystem, kWinHandle, QStringLiteral("0"));
        store_.write(kSystem, kWinCount, QStringLiteral("0"));
    } else {
        clearBusyMarks(true, others);
        handle = toInt16(store_.read(kSystem, kWinHandle).value_or(QStringLiteral("0")));
    }
    // A number no running instance holds; after 32767 the numbers start at 1
    // again instead of overflowing.
    int number = nextInstanceNumber(handle);
    for (int i = 0; i < kInstanceNumberAttempts; ++i) {
        if (!others.contains(number) && instances_.acquire(number))
            break;
        number = nextInstanceNumber(number);
    }
    winH_ = instances_.number() != 0 ? instances_.number() : number;
    store_.write(kSystem, kWinHandle, QString::number(winH_));
    store_.write(kSystem, kWinCount, QString::number(others.size() + 1));
}

void clsRegistry::clearBusyMarks(bool onlyOfEndedInstances, const QList<int>& alive) {
    static const QRegularExpression boardName(QStringLiteral("^([0-9]+)GPIB$"));
    QSet<int> boards;
    for (int b = 0; b < kBoardsResetAtFirstStart; ++b)
        boards.insert(b);
    for (const QString& s : store_.sections()) {
        const auto m = boardName.match(s);
        if (m.hasMatch() && validBoard(m.captured(1).toInt()))
            boards.insert(m.captured(1).toInt());
    }
    for (int b : boards) {
        const QString section = boardSection(b);
        if (!onlyOfEndedInstances) {
            if (b < kBoardsResetAtFirstStart || store_.read(section, kBusy))
                store_.write(section, kBusy, kFalse);
            store_.remove(section, kOwner);
            continue;
        }
        if (!isTrueText(store_.read(section, kBusy)))
            continue;
        // A mark without an owner comes from a program that did not record
        // one; it stays until no instance runs.
        const auto owner = store_.read(section, kOwner);
        if (owner && !alive.contains(toInt16(*owner))) {
            store_.write(section, kBusy, kFalse);
            store_.remove(section, kOwner);
        }
    }
}

void clsRegistry::Release() {
    if (released_)
        return;
    released_ = true;
    {
        SettingsStore::Sequence sequence(store_);
        for (int b : std::as_const(ownedBoards_)) {
            const auto owner = store_.read(boardSection(b), kOwner);
            if (!owner || toInt16(*owner) == winH_ || toInt16(*owner) == instances_.number()) {
                store_.write(boardSection(b), kBusy, kFalse);
                store_.remove(boardSection(b), kOwner);
            }
        }
        ownedBoards_.clear();
        store_.write(kSystem, kWinCount, QString::number(instances_.othersAlive().size()));
        writeForms();
    }
    instances_.release();
}

// ---------------------------------------------------------------------------
// Busy marks

bool clsRegistry::GpibBusy(int board) {
    return validBoard(board) && isTrueText(store_.read(boardSection(board), kBusy));
}

void clsRegistry::writeBusy(int board, bool busy) {
    if (store_.timedOut())
        return; // refused: the mark and who holds it stay as they are
    const QString section = boardSection(board);
    store_.write(section, kBusy, busy ? kTrue : kFalse);
    if (busy) {
        const int owner = instances_.number() != 0 ? instances_.number() : winH_;
        store_.write(section, kOwner, QString::number(owner));
        ownedBoards_.insert(board);
    } else {
        store_.remove(section, kOwner);
        ownedBoards_.remove(board);
    }
}

void clsRegistry::SetGpibBusy(int board, bool busy) {
    if (!validBoard(board))
        return;
    SettingsStore::Sequence sequence(store_);
    writeBusy(board, busy);
}

bool clsRegistry::TryClaimGpibBusy(int board) {
    if (!validBoard(board))
        return false;
    SettingsStore::Sequence sequence(store_);
    if (store_.timedOut())
        return false; // another instance hangs in the store: not safely free
    if (isTrueText(store_.read(boardSection(board), kBusy))) {
        // Held, unless its holder has ended without clearing it.
        const auto owner = store_.read(boardSection(board), kOwner);
        if (!owner || instances_.isAlive(toInt16(*owner)))
            return false;
    }
    writeBusy(board, true);
    return true;
}

bool clsRegistry::IsTransferring() {
    for (int b : std::as_const(ownedBoards_))
        if (GpibBusy(b))
            return true;
    return false;
}

// ---------------------------------------------------------------------------
// Window positions

void clsRegistry::loadForms() {
    int slot = 0;
    for (const QString& name : store_.keys(kFormProperty)) {
        if (slot >= kFormSlots || name.isEmpty())
            break;
        const QStringList parts = store_.read(kFormProperty, name).value_or(QString()).split(u',');
        FormSlot& f = forms_[static_cast<size_t>(slot++)];
        f.name = name;
        for (size_t i = 0; i < f.values.size(); ++i)
            f.values[i] = i < size_t(parts.size()) ? toInt32(parts[qsizetype(i)]) : 0;
    }
}

void clsRegistry::writeForms() {
    for (int i = 0; i < kRememberedWindows; ++i) {
        const FormSlot& f = forms_[static_cast<size_t>(i)];
        if (f.name.isEmpty())
            break;
        QStringList parts;
        for (int v : f.values)
            parts << QString::number(v);
        store_.write(kFormProperty, f.name, parts.join(u','));
    }
}

clsRegistry::FormSlot& clsRegistry::slotFor(const QString& form) {
    size_t i = 0;
    for (; i < forms_.size() && !forms_[i].name.isEmpty(); ++i)
        if (forms_[i].name == form)
            return forms_[i];
    // Not remembered: the first free slot, or the last one when all are used.
    FormSlot& f = forms_[std::min(i, forms_.size() - 1)];
    f = FormSlot{form, {}};
    return f;
}

QSize clsRegistry::screenTwips() const {
    // The window layer tells the screen's size (WindowPlacement); without a
    // screen nothing is off it.
    return screenTwips_.value_or(
        QSize{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()});
}

int clsRegistry::FormTop(const QString& form) {
    const int top = slotFor(form).values[0];
    return qint64(top) + kVisibleTwips > screenTwips().height() ? 0 : top;
}

int clsRegistry::FormLeft(const QString& form) {
    const int left = slotFor(form).values[1];
    return qint64(left) + kVisibleTwips > screenTwips().width() ? 0 : left;
}

void clsRegistry::SetFormTop(const QString& form, int twips) {
    slotFor(form).values[0] = twips;
}

void clsRegistry::SetFormLeft(const QString& form, int twips) {
    slotFor(form).values[1] = twips;
}

// ---------------------------------------------------------------------------
// Plain settings

int clsRegistry::WinCount() {
    return toInt16(store_.read(kSystem, kWinCount).value_or(QStringLiteral("0")));
}

int clsRegistry::GpibAddress(int board) {
    if (!validBoard(board))
        return -1;
    return toInt16(store_.read(boardSection(board), kAddress).value_or(QStringLiteral("-1")));
}

void clsRegistry::SetGpibAddress(int board, int address) {
    if (validBoard(board))
        store_.write(boardSection(board), kAddress, QString::number(address));
}

QString clsRegistry::Setting(const QString& section, const QString& key) {
    return store_.read(section, key).value_or(kFalse);
}

void clsRegistry::SetSetting(const QString& section, const QString& key, const QString& value) {
    store_.write(section, key, value);
}

int clsRegistry::SettingNumber(const QString& section, const QString& key) {
    return toInt32(Setting(section, key));
}

int clsRegistry::GpibBoard() {
    const auto v = store_.read(kSystem, QStringLiteral("GpibBoard"));
    return v ? toInt16(*v) : kDefaultGpibBoard;
}

void clsRegistry::SetGpibBoard(int board) {
    store_.write(kSystem, QStringLiteral("GpibBoard"), QString::number(board));
}

QString clsRegistry::SerialNum() {
    return store_.read(kSystem, QStringLiteral("SerialNum")).value_or(QString());
}

void clsRegistry::SetSerialNum(const QString& serial) {
    store_.write(kSystem, QStringLiteral("SerialNum"), serial);
}

} // namespace zw
