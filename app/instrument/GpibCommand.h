// clsGpibCommand: the commands of one command script of the selected model.
// Filled from a script table, it answers each request (set the frequency,
// start an upload under a name, ...) with a ready command text, or with an
// empty text when the model does not define that command. The transfers
// build their command sequences only from these answers.
#ifndef ZW_GPIB_COMMAND_H
#define ZW_GPIB_COMMAND_H

#include "InstrumentServices.h"
#include "ScriptTables.h"
#include "deviceinfo.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

class clsGpibCommand {
public:
    using Columns = std::array<std::string, 4>;

    explicit clsGpibCommand(InstrumentMessages& messages) : messages_(messages) {}

    // Stores the columns of each key, up to the first empty key. With
    // `reset` every entry is emptied first. An unknown key is reported with
    // a "Script Error" box and skipped.
    void SetUp(bool reset, const std::vector<std::string>& keys,
               const std::vector<Columns>& columns);

    // Fills the object from a script, with the upload-command fallback from
    // the memory option text of `info` when the script has no upload command.
    void FillFromScript(const ScriptTable& table, const DeviceInfo& info);

    // Queries with the part of the reply they identify.
    std::string Maker(int& start, int& length) const;
    std::string Model(int& start, int& length, std::string& expected) const;
    std::string Version(int& start, int& length) const;
    std::string Serial(int& start, int& length) const;

    std::string Preset() const { return Command("preset"); }
    std::string HeaderOff() const { return Command("headoff"); }
    std::string GetStatus() const { return Command("getsts"); }
    std::string GetErrorMessage() const { return Command("geterr"); }
    std::string SendGpibCommand() const { return Command("gpibcmd"); }
    std::string ArbPreCommand() const { return Command("arbprecommand"); }
    std::string ArbFormat() const { return Command("arbfmt"); }
    std::string DcOffsetOn() const { return Command("ofson"); }
    std::string DcOffsetOff() const { return Command("ofsoff"); }
    std::string OutputOn() const { return Command("outon"); }
    std::string OutputOff() const { return Command("outoff"); }
    std::string DcOffset(bool on) const { return on ? DcOffsetOn() : DcOffsetOff(); }
    // 0 on, 1 off; any other state (2 no change) gives no command.
    std::string Output(int state) const;

    std::string frequency(std::optional<double> value = {}) const {
        return Formatted("freq", value);
    }
    std::string AmplitudeRange(std::optional<double> value = {}) const {
        return Formatted("amprng", value);
    }
    std::string AmplitudeLevel(std::optional<double> value = {}) const {
        return Formatted("amp", value);
    }
    std::string DcOffsetLevel(std::optional<double> value = {}) const {
        return Formatted("offset", value);
    }
    std::string channel(std::optional<double> value = {}) const {
        return Formatted("channel", value);
    }
    std::string ArbStartAddress(std::optional<double> value = {}) const {
        return Formatted("arbstt", value);
    }
    std::string ArbSize(std::optional<double> value = {}) const {
        return Formatted("arbsize", value);
    }
    // The bank number plus the model's bank offset.
    std::string ArbBank(std::optional<double> bank = {}) const;
    std::string ArbName(std::optional<std::string_view> name = {}) const {
        return Substituted("arbname", name);
    }
    std::string ArbSend(std::optional<std::string_view> name = {}) const {
        return Substituted("arbsend", name);
    }

    // True only for the text "true" (any case); another non-empty text is
    // reported in a box and gives false.
    bool ArbByteSwap() const;
    uint32_t ArbBitMask() const { return bitMask_; }
    int16_t ErrorMask() const { return errorMask_; }

    // The key table of the scripts, for checks and documentation.
    static bool IsKnownKey(std::string_view loweredKey);

private:
    const Columns* Entry(std::string_view key) const;
    std::string Command(std::string_view key) const;
    std::string Column(std::string_view key, size_t column) const;
    std::string Query(std::string_view key, int& start, int& length) const;
    std::string Formatted(std::string_view key, std::optional<double> value) const;
    std::string Substituted(std::string_view key, std::optional<std::string_view> name) const;

    InstrumentMessages& messages_;
    std::map<std::string, Columns, std::less<>> entries_;
    uint32_t bitMask_ = 0;
    int16_t errorMask_ = 0;
};

// Rewrites a command template word by word: a word "0xHH" becomes the one
// character of code HH, joined to its neighbours without spaces.
std::string ExpandHexWords(std::string_view text);

} // namespace zw

#endif // ZW_GPIB_COMMAND_H
