// The table of "USBTMC.ID": one "model name,identification prefix" pair a
// line, read at start-up from the current directory. The USB interface
// builds an instrument's identification from the prefix of its model.
#ifndef ZW_SHELL_USBTMCTABLE_H
#define ZW_SHELL_USBTMCTABLE_H

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace zw {

inline constexpr char kUsbTmcFileName[] = "USBTMC.ID";

class UsbTmcTable {
public:
    // The first and second field of each line split at ",", in file order
    // (a missing field reads empty); line ends LF or CR LF. Nothing for a
    // text without any line. Fields are kept as bytes: they are compared
    // with the model names of the record, which are bytes too.
    static std::optional<UsbTmcTable> Parse(const QByteArray& text);
    // Reads the file; nothing when it cannot be read or holds no line.
    static std::optional<UsbTmcTable> Read(const QString& path);

    // The second field of the first pair whose first field is `model`
    // exactly; "" when none.
    QByteArray lookup(const QByteArray& model) const;
    std::size_t size() const { return pairs_.size(); }

private:
    std::vector<std::pair<QByteArray, QByteArray>> pairs_;
};

} // namespace zw

#endif // ZW_SHELL_USBTMCTABLE_H
