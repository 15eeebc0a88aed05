// A settings store kept in one file that several store objects (standing for
// several running copies of the program) share. Every busy-mark change runs
// under an exclusive lock of the file, and a mark remembers its owner's
// process id so that a mark whose process has died counts as free.
#ifndef ZW_TESTS_SHARED_FILE_SETTINGS_H
#define ZW_TESTS_SHARED_FILE_SETTINGS_H

#include "InstrumentServices.h"

#include <map>
#include <set>
#include <string>

namespace zw::test {

class SharedFileSettings : public InstrumentSettings {
public:
    explicit SharedFileSettings(std::string path) : path_(std::move(path)) {}

    std::string Setting(std::string_view section, std::string_view key) const override;
    void SetSetting(std::string_view section, std::string_view key,
                    std::string_view value) override;
    bool TryMarkBusy(int board) override;
    void ClearBusy(int board) override;
    bool IsBusy(int board) const override;
    bool DebugMode() const override { return false; }
    bool LoopTest() const override { return false; }
    void SetGpibAddress(int board, int address) override;

private:
    using Values = std::map<std::string, std::string>;
    template <typename Change> auto Locked(Change change) const;
    Values Load() const;
    void Store(const Values& values) const;
    static bool Alive(const std::string& pid);

    std::string path_;
    std::set<int> held_;
};

} // namespace zw::test

#endif // ZW_TESTS_SHARED_FILE_SETTINGS_H
