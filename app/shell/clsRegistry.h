// clsRegistry: everything the editor remembers between runs, and the little
// that its running instances share, in the per-user settings file
// ($XDG_CONFIG_HOME/ZW4410/ZW4410.ini, sections "System", "Sysinfo",
// "FormProperty" and "<n>GPIB" per interface board).
//
// One object lives from start-up to the end of the program. Creating it
// registers the instance; Release() (or the destructor) ends the
// registration and writes the remembered window positions.
//
//   Section/key           value                                  written by
//   System/WinHandle      number of the most recently started instance  start
//   System/WinCount       number of running instances          start, end
//   System/DebugMode      "true" (any case) = on               never
//   System/LoopTest       "true" (any case) = on               never
//   System/GpibBoard      interface board number, default 3    system setup
//   System/SerialNum      instrument serial number text        system setup
//   <n>GPIB/Busy          "True"/"False": a transfer runs on board n    transfers
//   <n>GPIB/Owner         instance number that set Busy        with Busy
//   <n>GPIB/Address       last instrument address, default -1  system setup
//   Sysinfo/*             through Setting(): "False" when missing
//   FormProperty/<form>   "top,left,a,b" in twips, one key a window    end
//
// Sharing between instances: every read-modify-write sequence (registering,
// ending, busy marks) runs under the store's cross-process update lock.
// Whether other instances run is a real liveness test: each instance holds
// a lock file that dies with its process (InstanceLocks). So a crashed
// instance is no longer counted, and its busy marks (the "Owner" key names
// it) are cleared by the next instance that starts.
#ifndef ZW_SHELL_CLSREGISTRY_H
#define ZW_SHELL_CLSREGISTRY_H

#include "InstanceLocks.h"
#include "SettingsStore.h"

#include <QSet>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

namespace zw {

// Window positions are kept in twips, 15 to a pixel.
inline constexpr int kTwipsPerPixel = 15;

class clsRegistry {
public:
    // Window positions: room for every window of the program (the main
    // window, ten dialogs and the progress window), each under its own key,
    // and one slot more that a further name takes over.
    static constexpr int kRememberedWindows = 12;
    static constexpr int kFormSlots = kRememberedWindows + 1;
    static constexpr int kBoardsResetAtFirstStart = 4; // sections 0GPIB to 3GPIB
    static constexpr int kMaxBoard = 15;

    // The settings file of the user: <config>/ZW4410/ZW4410.ini.
    static QString DefaultSettingsFile();

    explicit clsRegistry(const QString& settingsFile = DefaultSettingsFile(),
                         int lockTimeoutMs = SettingsStore::kLockTimeoutMs);
    ~clsRegistry();
    clsRegistry(const clsRegistry&) = delete;
    clsRegistry& operator=(const clsRegistry&) = delete;

    // Ends the registration: recounts "WinCount", clears the busy marks this
    // instance set, writes the window positions. Later calls do nothing.
    void Release();

    // True when another running process held the settings file's update
    // lock for the whole wait at creation: this instance is then not
    // registered, writes nothing, and must not run unprotected. The holder
    // as its lock file names it ("process 123 on host"; may be empty).
    bool SettingsLocked() const { return settingsLocked_; }
    QString SettingsLockHolder() const { return store_.lockHolder(); }

    // True when another instance was running when this one started.
    bool PreviousInstance() const { return previousInstance_; }

    // Busy marks of the interface boards (0..15; others read false and are
    // not written). Setting a mark makes this instance its holder
    // (GpibHost); clearing it ends that.
    bool GpibBusy(int board);
    void SetGpibBusy(int board, bool busy);
    // The transfer's check-and-set as one sequence: sets the mark and
    // returns true when the board was free (or marked by an instance that
    // has ended since), returns false when it is busy.
    bool TryClaimGpibBusy(int board);
    // True while this instance holds a busy mark it set itself.
    bool GpibHost() const { return !ownedBoards_.isEmpty(); }
    // True while a busy mark that this instance holds is still set in the
    // store: the main window refuses to close then.
    bool IsTransferring();

    // Remembered window position in twips. 0 when the window is not
    // remembered, or when less than 1000 twips of it would stay on the screen
    // (top + 1000 beyond the screen height, left + 1000 beyond its width).
    // Asking for a window not remembered gives it a slot (written at the end).
    int FormTop(const QString& form);
    int FormLeft(const QString& form);
    void SetFormTop(const QString& form, int twips);
    void SetFormLeft(const QString& form, int twips);
    // The screen size in twips used by FormTop/FormLeft; unlimited until
    // set (the windows set it from the desktop, WindowPlacement.h).
    void SetScreenSizeTwips(QSize size) { screenTwips_ = size; }

    int WinH() const { return winH_; }
    // "WinCount" as stored: the running instances (0 when missing).
    int WinCount();

    int GpibAddress(int board);
    void SetGpibAddress(int board, int address);

    // The stored string, or "False" when missing.
    QString Setting(const QString& section, const QString& key);
    void SetSetting(const QString& section, const QString& key, const QString& value);
    // Setting() through the value-of-text conversion ("False" gives 0), for
    // the "Sysinfo" indexes.
    int SettingNumber(const QString& section, const QString& key);

    bool DebugMode() const { return debugMode_; }
    bool LoopTest() const { return loopTest_; }
    // Kept in the object only (the setup window's tests turn the loop on).
    void SetLoopTest(bool on) { loopTest_ = on; }

    int GpibBoard();
    void SetGpibBoard(int board);
    QString SerialNum();
    void SetSerialNum(const QString& serial);

    const QString& settingsFile() const { return store_.path(); }

    // Holds the store's update lock while it lives: the reads and writes made
    // meanwhile see one state of the file and take the lock once (each call
    // on its own locks and unlocks, a few milliseconds on a slow disk).
    class Batch {
    public:
        explicit Batch(clsRegistry& registry) : sequence_(registry.store_) {}

    private:
        SettingsStore::Sequence sequence_;
    };

private:
    struct FormSlot {
        QString name;
        std::array<int, 4> values{}; // top, left, two more kept as read
    };

    void registerInstance();
    void clearBusyMarks(bool onlyOfEndedInstances, const QList<int>& alive);
    void writeBusy(int board, bool busy);
    void loadForms();
    void writeForms();
    FormSlot& slotFor(const QString& form);
    QSize screenTwips() const;

    SettingsStore store_;
    InstanceLocks instances_;
    bool released_ = false;
    bool settingsLocked_ = false;
    bool previousInstance_ = false;
    int winH_ = 0;
    bool debugMode_ = false;
    bool loopTest_ = false;
    QSet<int> ownedBoards_;
    std::array<FormSlot, kFormSlots> forms_;
    std::optional<QSize> screenTwips_;
};

} // namespace zw

#endif // ZW_SHELL_CLSREGISTRY_H
