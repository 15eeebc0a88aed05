// The binary (.wdb) and text (.txt) wave files.
#include "docio32.h"

#include "AtomicFileWriter.h"
#include "FilePrefixReader.h"
#include "RegularFile.h"
#include "SampleText.h"
#include "TextLineReader.h"
#include "WaveText.h"

#include "zwplatform.hpp"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace docio32 {

namespace {

using Memory = zw::LockedBlock<int16_t>;

void appendLittleEndian(std::string& out, std::span<const int16_t> codes) {
    out.reserve(out.size() + 2 * codes.size());
    for (const int16_t code : codes) {
        const auto bits = static_cast<uint16_t>(code);
        out.push_back(static_cast<char>(bits & 0xFF));
        out.push_back(static_cast<char>(bits >> 8));
    }
}

void storeLittleEndian(std::string_view bytes, Memory& memory) {
    const std::size_t count = std::min(bytes.size() / 2, memory.size());
    for (std::size_t i = 0; i < count; ++i) {
        const auto lo = static_cast<uint8_t>(bytes[2 * i]);
        const auto hi = static_cast<uint8_t>(bytes[2 * i + 1]);
        memory[i] = static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
    }
    // An odd last byte is half a sample: it changes the low byte only, as a
    // byte-wise read of a short file would.
    if (bytes.size() % 2 == 1 && count < memory.size()) {
        const auto bits = static_cast<uint16_t>(memory[count]);
        memory[count] = static_cast<int16_t>(
            static_cast<uint16_t>((bits & 0xFF00) | static_cast<uint8_t>(bytes.back())));
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::optional<std::vector<int16_t>> readWaveText(std::FILE* file, std::size_t maxLines) {
    std::vector<int16_t> codes;
    TextLineReader lines(file, kWaveTextPieceLength,
                         TextLineReader::CarriageReturns::EndLineBeforeLf);
    std::string piece;
    while (codes.size() < maxLines && lines.next(piece))
        codes.push_back(codeOfText(piece));
    if (lines.failed())
        return std::nullopt;
    return codes;
}

} // namespace docio32

using namespace docio32;

extern "C" {

DOCIO32_API int32_t Save8832File(const char* fileName, const uint8_t* setupBlock,
                                 ZwMemHandle memory) {
    return zw::GuardedExport(DOCIO32_FILE_NOT_WRITTEN, [&] {
        if (setupBlock == nullptr)
            return DOCIO32_FILE_NOT_WRITTEN;
        std::string contents(reinterpret_cast<const char*>(setupBlock), DOCIO32_SETUP_BLOCK_SIZE);
        {
            const Memory samples(memory);
            if (!samples)
                return DOCIO32_FILE_NOT_WRITTEN;
            appendLittleEndian(contents, samples.span());
        }
        return replaceFileContents(fileName, contents) ? DOCIO32_OK : DOCIO32_FILE_NOT_WRITTEN;
    });
}

DOCIO32_API int32_t Read8832File(const char* fileName, uint8_t* setupBlock, ZwMemHandle memory) {
    return zw::GuardedExport(DOCIO32_FILE_NOT_READ, [&] {
        if (setupBlock == nullptr)
            return DOCIO32_FILE_NOT_READ;
        Memory samples(memory);
        if (!samples)
            return DOCIO32_FILE_NOT_READ;
        const FilePrefix file =
            readFilePrefix(fileName, DOCIO32_SETUP_BLOCK_SIZE + 2 * samples.size());
        if (file.outcome != FilePrefix::Outcome::Read)
            return DOCIO32_FILE_NOT_READ;
        const std::string_view bytes(file.bytes);
        const std::size_t blockPart = std::min<std::size_t>(bytes.size(), DOCIO32_SETUP_BLOCK_SIZE);
        std::copy_n(bytes.begin(), blockPart, setupBlock);
        storeLittleEndian(bytes.substr(blockPart), samples);
        return DOCIO32_OK;
    });
}

DOCIO32_API int32_t SaveWaveData(const char* fileName, ZwMemHandle memory, int32_t start,
                                 int32_t count) {
    return zw::GuardedExport(DOCIO32_FILE_WRITE_ERROR, [&] {
        std::string text;
        {
            const Memory samples(memory);
            if (!samples || start < 0 || count < 0 ||
                static_cast<std::size_t>(start) + static_cast<std::size_t>(count) > samples.size())
                return DOCIO32_FILE_WRITE_ERROR;
            appendUnsignedCodes(text, samples.span().subspan(start, count), "\r\n");
        }
        return replaceFileContents(fileName, text) ? DOCIO32_OK : DOCIO32_FILE_WRITE_ERROR;
    });
}

DOCIO32_API int32_t LoadWaveData(const char* fileName, ZwMemHandle memory, int32_t start,
                                 int32_t count) {
    return zw::GuardedExport(DOCIO32_FILE_READ_ERROR, [&] {
        Memory samples(memory);
        if (!samples || start < 0 || static_cast<std::size_t>(start) > samples.size() ||
            fileName == nullptr)
            return DOCIO32_FILE_READ_ERROR;
        const std::unique_ptr<std::FILE, FileCloser> file(openRegularStream(fileName));
        if (!file)
            return DOCIO32_FILE_READ_ERROR;
        const std::size_t room = samples.size() - static_cast<std::size_t>(start);
        const std::size_t lines = count > 0 ? std::min(room, static_cast<std::size_t>(count)) : 0;
        const auto codes = readWaveText(file.get(), lines);
        if (!codes)
            return DOCIO32_FILE_READ_ERROR;
        std::copy(codes->begin(), codes->end(), samples.data() + start);
        return DOCIO32_OK;
    });
}

} // extern "C"
