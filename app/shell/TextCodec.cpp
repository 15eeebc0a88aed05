// UTF-8 or CP932 decoding through Qt and the C library's iconv.
#include "TextCodec.h"

#include <QStringDecoder>

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

} // namespace

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
