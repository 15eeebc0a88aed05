#include "GpibCommand.h"

#include "CommandNumberFormat.h"
#include "TextUtil.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

namespace zw {

namespace {

constexpr std::array<std::string_view, 28> kKeys = {
    "maker",  "model",   "version", "serial",        "preset",  "headoff", "channel",
    "freq",   "amprng",  "amp",     "offset",        "ofson",   "ofsoff",  "outon",
    "outoff", "arbmask", "arbsend", "arbprecommand", "arbbank", "arbstt",  "arbbswap",
    "arbfmt", "arbsize", "arbname", "getsts",        "geterr",  "errmask", "gpibcmd"};

bool IsHexPrefixed(std::string_view text) {
    return StartsWithNoCase(text, "0x");
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A number of a script column: hexadecimal after "0x", else decimal read as
// the leading number of the text.
uint64_t ParseMaskNumber(std::string_view text) {
    text = TrimText(text);
    if (IsHexPrefixed(text)) {
        uint64_t value = 0;
        for (const char c : text.substr(2)) {
            const int digit = HexValue(c);
            if (digit < 0)
                break;
            value = (value << 4 | static_cast<uint64_t>(digit)) & 0xFFFFFFFFu;
        }
        return value;
    }
    const double number = LeadingNumber(text);
    if (number <= 0)
        return static_cast<uint64_t>(static_cast<int64_t>(number)) & 0xFFFFFFFFu;
    return static_cast<uint64_t>(std::min(number, 4294967295.0));
}

int ColumnInt(const std::string& text) {
    const double value = LeadingNumber(text);
    return static_cast<int>(std::clamp(value, -32768.0, 32767.0));
}

// Splits a command at commas into at most four columns; the fourth keeps any
// further commas, since an expected identity may hold them.
clsGpibCommand::Columns SplitColumns(std::string_view command) {
    clsGpibCommand::Columns columns;
    size_t column = 0;
    while (column < 3) {
        const size_t comma = command.find(',');
        if (comma == std::string_view::npos)
            break;
        columns[column++] = std::string(TrimUnquote(command.substr(0, comma)));
        command.remove_prefix(comma + 1);
    }
    columns[column] = std::string(TrimUnquote(command));
    return columns;
}

} // namespace

bool clsGpibCommand::IsKnownKey(std::string_view loweredKey) {
    return std::find(kKeys.begin(), kKeys.end(), loweredKey) != kKeys.end();
}

void clsGpibCommand::SetUp(bool reset, const std::vector<std::string>& keys,
                           const std::vector<Columns>& columns) {
    if (reset) {
        entries_.clear();
        bitMask_ = 0;
        errorMask_ = 0;
    }
    for (size_t i = 0; i < keys.size() && !keys[i].empty(); ++i) {
        const std::string key = ToLowerAscii(keys[i]);
        if (!IsKnownKey(key)) {
            messages_.ShowBox("GPIB System Error", "Script Error\r" + keys[i]);
            continue;
        }
        const Columns row = i < columns.size() ? columns[i] : Columns{};
        entries_[key] = row;
        if (key == "arbmask")
            bitMask_ = static_cast<uint32_t>(ParseMaskNumber(row[0]));
        else if (key == "errmask")
            errorMask_ = static_cast<int16_t>(ParseMaskNumber(row[0]) & 0xFFFFu);
    }
}

void clsGpibCommand::FillFromScript(const ScriptTable& table, const DeviceInfo& info) {
    std::vector<std::string> keys;
    std::vector<Columns> columns;
    for (const ScriptEntry& entry : table) {
        keys.emplace_back(TrimText(entry.key));
        columns.push_back(SplitColumns(TrimUnquote(entry.command)));
        if (keys.back().empty()) { // an empty key would end the list early
            keys.pop_back();
            columns.pop_back();
        }
    }
    keys.emplace_back();
    SetUp(true, keys, columns);

    if (!ArbSend().empty())
        return;
    const std::string_view option =
        TrimUnquote(FieldText(info.MemoryOption, sizeof info.MemoryOption));
    if (option.empty())
        return;
    const std::vector<std::string_view> pieces = SplitText(option, ',');
    if (pieces.size() == 1) {
        SetUp(false, {"ArbSend", ""}, {Columns{std::string(TrimUnquote(pieces[0]))}});
    } else {
        SetUp(false, {"ArbSend", "ArbPreCommand", ""},
              {Columns{std::string(TrimUnquote(pieces[1]))},
               Columns{std::string(TrimUnquote(pieces[0]))}});
    }
}

const clsGpibCommand::Columns* clsGpibCommand::Entry(std::string_view key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

std::string clsGpibCommand::Command(std::string_view key) const {
    return Column(key, 0);
}

std::string clsGpibCommand::Column(std::string_view key, size_t column) const {
    const Columns* entry = Entry(key);
    return entry ? (*entry)[column] : std::string();
}

std::string clsGpibCommand::Query(std::string_view key, int& start, int& length) const {
    start = ColumnInt(Column(key, 1));
    length = ColumnInt(Column(key, 2));
    return Command(key);
}

std::string clsGpibCommand::Maker(int& start, int& length) const {
    return Query("maker", start, length);
}

std::string clsGpibCommand::Model(int& start, int& length, std::string& expected) const {
    expected = Column("model", 3);
    return Query("model", start, length);
}

std::string clsGpibCommand::Version(int& start, int& length) const {
    return Query("version", start, length);
}

std::string clsGpibCommand::Serial(int& start, int& length) const {
    return Query("serial", start, length);
}

std::string clsGpibCommand::Output(int state) const {
    switch (state) {
    case ZW_OUTPUT_ON:
        return OutputOn();
    case ZW_OUTPUT_OFF:
        return OutputOff();
    default:
        return {};
    }
}

std::string clsGpibCommand::Formatted(std::string_view key, std::optional<double> value) const {
    const std::string command = Command(key);
    const std::string format = Column(key, 1);
    if (command.empty() || format.empty() || !value)
        return command;
    return command + " " + FormatWithPattern(*value, format);
}

std::string clsGpibCommand::ArbBank(std::optional<double> bank) const {
    const std::string offset = Column("arbbank", 2);
    if (bank && !offset.empty())
        *bank += LeadingNumber(offset);
    return Formatted("arbbank", bank);
}

std::string ExpandHexWords(std::string_view text) {
    std::string out;
    bool joinNext = true; // the first word has nothing before it
    for (std::string_view word : SplitText(text, ' ')) {
        if (IsHexPrefixed(word) && word.size() >= 4 && HexValue(word[2]) >= 0 &&
            HexValue(word[3]) >= 0) {
            out += static_cast<char>(HexValue(word[2]) * 16 + HexValue(word[3]));
            out += word.substr(4);
            joinNext = true;
            continue;
        }
        if (!joinNext)
            out += ' ';
        out += word;
        joinNext = false;
    }
    return out;
}

std::string clsGpibCommand::Substituted(std::string_view key,
                                        std::optional<std::string_view> name) const {
    const std::string command = Command(key);
    if (command.empty())
        return command;
    std::string text = ExpandHexWords(command);
    static constexpr std::string_view kPlaceholder = "_$Name";
    const size_t at = text.find(kPlaceholder);
    if (name && at != std::string::npos) {
        // Control characters would end or split the instrument's message.
        std::string cleaned;
        for (const char c : *name)
            if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f)
                cleaned += c;
        // No limit given (or a limit of 0) keeps the whole name.
        const int limit = ColumnInt(Column("arbname", 1));
        if (limit > 0 && cleaned.size() > static_cast<size_t>(limit))
            cleaned.resize(static_cast<size_t>(limit));
        text.replace(at, kPlaceholder.size(), cleaned);
    }
    return text;
}

bool clsGpibCommand::ArbByteSwap() const {
    const std::string text = Command("arbbswap");
    if (text.empty())
        return false;
    if (ToLowerAscii(text) == "true")
        return true;
    messages_.ShowBox("Interface System Error", "ArbByteSwap Command Error\r" + text);
    return false;
}

} // namespace zw
