// UTF-8 or CP932 decoding through Qt and the C library's iconv.
#include "TextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace zw {
namespace {

QString decodeCp932(QByteArrayView bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes.data(), bytes.size());
    QByteArray out;
    out.resize(bytes.size() * 4 + 16);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char* dst = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    static const char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen: every byte gives at most 3 bytes of UTF-8
        // An invalid or cut-off sequence: replace one byte and go on.
        if (outLeft < 3)
            break;
        std::memcpy(dst, kReplacement, 3);
        dst += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    out.truncate(dst - out.data());
    return QString::fromUtf8(out);
}

constexpr char16_t kEscapeBase = 0xDC00;

bool isEscape(QChar c) {
    return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF;
}

// The length of the well-formed UTF-8 sequence at `at`, 0 when there is none.
qsizetype utf8SequenceAt(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(1) < low || byte(1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

} // namespace

QString FileNameFromNative(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = utf8SequenceAt(bytes, at);
        if (length == 0) {
            name += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[at])));
            ++at;
        } else {
            name += QString::fromUtf8(bytes.sliced(at, length));
            at += length;
        }
    }
    return name;
}

QByteArray NativeFileName(QStringView name) {
    QByteArray bytes;
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isEscape(name[i]) || (i > 0 && name[i - 1].isHighSurrogate()))
            continue;
        bytes += name.sliced(plainFrom, i - plainFrom).toUtf8();
        bytes += static_cast<char>(name[i].unicode() - kEscapeBase);
        plainFrom = i + 1;
    }
    bytes += name.sliced(plainFrom).toUtf8();
    return bytes;
}

QString DisplayFileName(QStringView name) {
    if (std::none_of(name.begin(), name.end(), isEscape))
        return name.toString();
    const QByteArray bytes = NativeFileName(name);
    const QString text = DecodeFileText(bytes);
    return text.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : text;
}

QString DecodeFileText(QByteArrayView bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCp932(bytes);
}

QString DecodeField(const char* field, std::size_t size) {
    const void* nul = std::memchr(field, '\0', size);
    const std::size_t len =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size;
    return DecodeFileText(QByteArrayView(field, static_cast<qsizetype>(len)));
}

void EncodeField(char* field, std::size_t size, QStringView text, char pad) {
    const QByteArray bytes = text.toUtf8();
    std::size_t n = std::min(static_cast<std::size_t>(bytes.size()), size);
    if (n < static_cast<std::size_t>(bytes.size()))
        while (n > 0 &&
               (static_cast<unsigned char>(bytes[static_cast<qsizetype>(n)]) & 0xC0) == 0x80)
            --n; // do not split a character
    std::memcpy(field, bytes.constData(), n);
    std::memset(field + n, pad, size - n);
}

} // namespace zw
