// The raw message table behind MessageCatalog.
#ifndef ZW_SHELL_MESSAGETABLE_H
#define ZW_SHELL_MESSAGETABLE_H

#include <cstddef>

namespace zw::detail {

struct MessageRow {
    int code;
    const char* japanese; // UTF-8
    const char* english;
};

extern const MessageRow kMessageRows[];
extern const std::size_t kMessageRowCount;

} // namespace zw::detail

#endif // ZW_SHELL_MESSAGETABLE_H
