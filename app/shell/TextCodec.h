// Text that the editor shows from files (model names, warnings, unit and
// memory names): files written on Japanese Windows systems use the code page
// CP932 (Shift_JIS with the vendor extensions), files written here UTF-8.
#ifndef ZW_SHELL_TEXTCODEC_H
#define ZW_SHELL_TEXTCODEC_H

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstddef>

namespace zw {

// UTF-8 when the bytes are valid UTF-8 (an initial byte order mark is
// skipped), CP932 otherwise; bytes that are not CP932 either become U+FFFD.
QString DecodeFileText(QByteArrayView bytes);

// A fixed-size text field of a record: the bytes up to the first NUL (or the
// whole field), decoded as DecodeFileText does. Blanks are kept.
QString DecodeField(const char* field, std::size_t size);

// Writes `text` into a fixed-size field as UTF-8, cut at a character boundary
// when it does not fit, and fills the rest with `pad`. No terminator is
// added when the text fills the field.
void EncodeField(char* field, std::size_t size, QStringView text, char pad = ' ');

// File names are the bytes the system gives, which need not be UTF-8 (a name
// made on Japanese Windows is CP932, an old one Latin-1). Kept in a QString
// they must come back exactly: valid UTF-8 decodes as usual and every other
// byte b becomes the lone surrogate U+DC00 + b (b >= 0x80), which no text
// contains, so NativeFileName gives the very bytes back.
QString FileNameFromNative(QByteArrayView bytes);
QByteArray NativeFileName(QStringView name);
// A file name for showing: as it is when its bytes are UTF-8, else decoded
// as CP932 or, failing that, Latin-1.
QString DisplayFileName(QStringView name);

} // namespace zw

#endif // ZW_SHELL_TEXTCODEC_H
