// The system setup file: the 326-byte setup block and nothing else.
#include "docio32.h"

#include "AtomicFileWriter.h"
#include "FilePrefixReader.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <string_view>

using namespace docio32;

extern "C" {

DOCIO32_API int32_t SaveSystemFile(const char* fileName, const uint8_t* setupBlock) {
    return zw::GuardedExport(DOCIO32_FILE_NOT_WRITTEN, [&] {
        if (setupBlock == nullptr)
            return DOCIO32_FILE_NOT_WRITTEN;
        const std::string_view block(reinterpret_cast<const char*>(setupBlock),
                                     DOCIO32_SETUP_BLOCK_SIZE);
        return replaceFileContents(fileName, block) ? DOCIO32_OK : DOCIO32_FILE_NOT_WRITTEN;
    });
}

DOCIO32_API int32_t ReadSystemFile(const char* fileName, uint8_t* setupBlock) {
    return zw::GuardedExport(DOCIO32_FILE_NOT_READ, [&] {
        if (setupBlock == nullptr)
            return DOCIO32_FILE_NOT_READ;
        const FilePrefix file = readFilePrefix(fileName, DOCIO32_SETUP_BLOCK_SIZE);
        if (file.outcome != FilePrefix::Outcome::Read)
            return DOCIO32_FILE_NOT_READ;
        std::copy(file.bytes.begin(), file.bytes.end(), setupBlock);
        return DOCIO32_OK;
    });
}

} // extern "C"
