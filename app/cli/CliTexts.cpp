#include "CliTexts.h"

#include <array>

namespace zw::cli {

namespace {

struct TextPair {
    CliText id;
    const char* japanese;
    const char* english;
};

// clang-format off
constexpr std::array kTexts = {
    TextPair{CliText::NoSuchModel, "機種 \"%1\" はありません (機種: %2)", "no model \"%1\" (models: %2)"},
    TextPair{CliText::InterfaceRefused, "この機種はインタフェース %1 を使えません (使えるもの: %2)", "the model offers no interface %1 (it offers: %2)"},
    TextPair{CliText::UnknownInterface, "インタフェース \"%1\" は不明です (usbtmc, ni-gpib, ki-gpib, usb488, sim, lan または種別番号)", "unknown interface \"%1\" (usbtmc, ni-gpib, ki-gpib, usb488, sim, lan or a type number)"},
    TextPair{CliText::OutOfRange, "%1 %2: 機種の範囲 %3 ～ %4 の外です", "%1 %2: outside the model's limits %3 to %4"},
    TextPair{CliText::NotANumber, "%1 \"%2\": 数値ではありません", "%1 \"%2\": not a number"},
    TextPair{CliText::MemorySizeRefused, "--memory-size %1: この機種の波形メモリサイズは %2 です", "--memory-size %1: the model's memory sizes are %2"},
    TextPair{CliText::ListPosition, "%1 %2: 0 ～ %3 の位置を指定してください", "%1 %2: give a list position 0 to %3"},
    TextPair{CliText::NoMemoryNumber, "--memory-number: この機種は波形メモリ番号を選べません", "--memory-number: the model has no memory numbers to choose"},
    TextPair{CliText::SerialRefused, "--serial \"%1\": シリアル番号は \"SN\" で始まります", "--serial \"%1\": a serial number begins with \"SN\""},
    TextPair{CliText::UserRange, "%1: 最小値,最大値,名称 の形で指定してください", "%1: give MIN,MAX,NAME"},
    TextPair{CliText::FrequencyWarning, "警告: %1", "warning: %1"},
    TextPair{CliText::FileRead, "ファイルを読めません: %1", "cannot read the file: %1"},
    TextPair{CliText::FileWrite, "ファイルに書けません: %1", "cannot write the file: %1"},
    TextPair{CliText::NotAPageFile, "ページファイルではありません: %1", "not a page file: %1"},
    TextPair{CliText::NoPages, "有効なページがありません: %1", "no effective page in %1"},
    TextPair{CliText::UnknownWaveType, "波形ファイルの種類が分かりません (.wdb または .txt): %1", "unknown wave file type (.wdb or .txt): %1"},
    TextPair{CliText::NoReader, "この種類のファイルを読むプラグインがありません: %1 (読める種類: %2)", "no import plug-in reads this type: %1 (readable: %2)"},
    TextPair{CliText::NoModelFiles, "機種ファイル (*.SYS) がありません: %1", "no model files (*.SYS) in %1"},
    TextPair{CliText::SettingsLocked, "設定ファイルが他のプログラムにロックされています (%1)", "the settings file is locked by another program (%1)"},
    TextPair{CliText::Interrupted, "中断しました", "interrupted"},
    TextPair{CliText::EmptyExpression, "式が空です", "the expression is empty"},
    TextPair{CliText::StretchRefused, "--from %1 --to %2: 範囲が空です", "--from %1 --to %2: the stretch is empty"},
    TextPair{CliText::AddressRefused, "--address %1: 機種の範囲 %2 ～ %3 の外です", "--address %1: outside the model's limits %2 to %3"},
};
// clang-format on

} // namespace

QString Text(CliText id, Language language) {
    for (const TextPair& t : kTexts)
        if (t.id == id)
            return QString::fromUtf8(language == Language::Japanese ? t.japanese : t.english);
    return {};
}

Language ChooseLanguage(const QString& option, const QString& langVariable) {
    if (option == QLatin1String("ja"))
        return Language::Japanese;
    if (option == QLatin1String("en"))
        return Language::English;
    return langVariable.startsWith(QLatin1String("ja")) ? Language::Japanese : Language::English;
}

} // namespace zw::cli
