// Stretches of a waveform through the clipboard as text, one unsigned decimal
// and an LF per sample.
#include "docio32.h"

#include "ClipboardPaste.h"
#include "ClipboardTokenizer.h"
#include "SampleText.h"

#include "zwplatform.hpp"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace docio32 {

namespace {

bool usable(const ZwClipboardOwner* owner) {
    return owner != nullptr && owner->open && owner->close && owner->empty && owner->set_text &&
           owner->get_text;
}

// Open for the length of one call; closed again on every way out.
class OpenClipboard {
public:
    explicit OpenClipboard(ZwClipboardOwner& owner)
        : owner_(owner), open_(owner.open(owner.ctx) != 0) {}
    ~OpenClipboard() {
        if (open_)
            owner_.close(owner_.ctx);
    }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;

    explicit operator bool() const { return open_; }
    ZwClipboardOwner& owner() const { return owner_; }

private:
    ZwClipboardOwner& owner_;
    bool open_;
};

// The text of the stretch, or nullopt when there is no memory for it.
std::optional<std::string> stretchText(std::span<const int16_t> codes) {
    try {
        std::string text;
        appendUnsignedCodes(text, codes, "\n");
        return text;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace

} // namespace docio32

using namespace docio32;

extern "C" {

DOCIO32_API int32_t SetClipBoard(ZwClipboardOwner* owner, ZwMemHandle memory, int32_t start,
                                 int32_t count) {
    return zw::GuardedExport(DOCIO32_CLIPBOARD_ERROR, [&] {
        const zw::LockedBlock<int16_t> samples(memory);
        if (!samples || start < 0 || count < 0 || static_cast<std::size_t>(start) > samples.size())
            return DOCIO32_CLIPBOARD_ERROR;
        if (!usable(owner))
            return DOCIO32_CLIPBOARD_READ_ERROR;
        const OpenClipboard clipboard(*owner);
        if (!clipboard)
            return DOCIO32_CLIPBOARD_READ_ERROR;
        const std::size_t available = samples.size() - static_cast<std::size_t>(start);
        const std::size_t taken = std::min(available, static_cast<std::size_t>(count));
        const auto text = stretchText(samples.span().subspan(start, taken));
        if (!text)
            return DOCIO32_NO_CLIPBOARD_MEMORY; // the clipboard keeps what it held
        if (!owner->empty(owner->ctx) || !owner->set_text(owner->ctx, text->c_str(), text->size()))
            return DOCIO32_CLIPBOARD_WRITE_ERROR;
        return DOCIO32_OK;
    });
}

DOCIO32_API int32_t GetClipBoard(ZwClipboardOwner* owner, ZwMemHandle memory, int32_t start,
                                 int32_t length, int32_t usedLength, int32_t* pasted) {
    return zw::GuardedExport(DOCIO32_CLIPBOARD_ERROR, [&] {
        if (length < 0 || usedLength <= 0)
            return DOCIO32_OK;
        if (pasted)
            *pasted = 0; // until codes have been written
        zw::LockedBlock<int16_t> samples(memory);
        if (!samples || start < 0)
            return DOCIO32_CLIPBOARD_ERROR;
        if (!usable(owner))
            return DOCIO32_CLIPBOARD_READ_ERROR;
        const OpenClipboard clipboard(*owner);
        if (!clipboard)
            return DOCIO32_CLIPBOARD_READ_ERROR;
        std::size_t textLength = 0;
        const char* text = owner->get_text(owner->ctx, &textLength);
        if (text == nullptr)
            return DOCIO32_CLIPBOARD_READ_ERROR;
        ClipboardTokenizer tokens(std::string_view(text, textLength));
        const std::size_t k = pasteCodes(samples.span(), static_cast<std::size_t>(start),
                                         static_cast<std::size_t>(length),
                                         static_cast<std::size_t>(usedLength), tokens);
        if (pasted)
            *pasted = static_cast<int32_t>(k);
        return DOCIO32_OK;
    });
}

} // extern "C"
