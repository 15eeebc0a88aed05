// One plug-in module opened directly, for tests of a plug-in on its own:
// its table, and a whole file read through it.
#ifndef ZW_TESTS_LOADEDTABLE_H
#define ZW_TESTS_LOADEDTABLE_H

#include "importplugin.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zwtest {

class LoadedTable {
public:
    explicit LoadedTable(const char* path) : library_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
        if (!library_)
            return;
        auto entry = reinterpret_cast<ZwImportPluginEntryFunction>(
            dlsym(library_, ZW_IMPORT_PLUGIN_ENTRY_NAME));
        table_ = entry ? entry() : nullptr;
    }
    ~LoadedTable() {
        if (library_)
            dlclose(library_);
    }
    LoadedTable(const LoadedTable&) = delete;
    LoadedTable& operator=(const LoadedTable&) = delete;

    const ZwImportPlugin* operator->() const { return table_; }
    explicit operator bool() const { return table_ != nullptr; }

    struct FileRead {
        int32_t result = -1;
        int64_t reported = -1;
        int64_t offset = -1;
        std::vector<int16_t> codes;
    };

    // Opens `path` and reads it in blocks of `block` codes until a block
    // comes back short.
    FileRead readAll(const std::string& path, int32_t block = 500) const {
        FileRead read;
        ZwImportReader* reader = nullptr;
        read.result = table_->open(path.c_str(), &reader, &read.reported, &read.offset);
        if (read.result != ZW_IMPORT_OK)
            return read;
        std::vector<int16_t> buffer(static_cast<std::size_t>(block));
        while (true) {
            int32_t delivered = -1;
            EXPECT_EQ(table_->read(reader, buffer.data(), block, &delivered), ZW_IMPORT_OK);
            read.codes.insert(read.codes.end(), buffer.begin(), buffer.begin() + delivered);
            if (delivered < block)
                break;
        }
        table_->close(reader);
        return read;
    }

private:
    void* library_;
    const ZwImportPlugin* table_ = nullptr;
};

} // namespace zwtest

#endif // ZW_TESTS_LOADEDTABLE_H
