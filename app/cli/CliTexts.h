// The tool's own texts, beside the catalogue's messages: what refused a
// value and why, and the few words of its listings, in both languages.
#ifndef ZW_CLI_CLITEXTS_H
#define ZW_CLI_CLITEXTS_H

#include "Language.h"

#include <QString>

#include <stdexcept>

namespace zw::cli {

// Exit statuses scripts rely on.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

// A command that cannot go on: the text for stderr and the exit status.
class CommandError : public std::runtime_error {
public:
    CommandError(int exitCode, const QString& text)
        : std::runtime_error(text.toStdString()), exitCode_(exitCode), text_(text) {}
    int exitCode() const { return exitCode_; }
    const QString& text() const { return text_; }

private:
    int exitCode_;
    QString text_;
};

enum class CliText {
    NoSuchModel,       // %1 name, %2 the models
    InterfaceRefused,  // %1 the interface, %2 the ones the model offers
    UnknownInterface,  // %1
    OutOfRange,        // %1 option, %2 value, %3 min, %4 max
    NotANumber,        // %1 option, %2 text
    MemorySizeRefused, // %1 value, %2 the sizes
    ListPosition,      // %1 option, %2 value, %3 highest position
    NoMemoryNumber,    // the model has no memory numbers
    SerialRefused,     // %1 text
    UserRange,         // %1 option: MIN,MAX,NAME expected
    FrequencyWarning,  // %1 the model's warning
    FileRead,          // %1 file
    FileWrite,         // %1 file
    NotAPageFile,      // %1 file
    NoPages,           // %1 file
    UnknownWaveType,   // %1 file
    NoReader,          // %1 file, %2 the types that can be read
    NoModelFiles,      // %1 folder
    SettingsLocked,    // %1 holder
    Interrupted,
    EmptyExpression,
    StretchRefused, // %1 from, %2 to
    AddressRefused, // %1 value, %2 min, %3 max
};

QString Text(CliText id, Language language);

// The language of the messages: --lang wins; else Japanese when LANG starts
// with "ja", English otherwise.
Language ChooseLanguage(const QString& option, const QString& langVariable);

} // namespace zw::cli

#endif // ZW_CLI_CLITEXTS_H
