// The raw caption tables behind CaptionCatalog.
#ifndef ZW_SHELL_CAPTIONTABLE_H
#define ZW_SHELL_CAPTIONTABLE_H

#include <cstddef>
#include <span>

namespace zw::detail {

struct CaptionRow {
    const char* key;
    const char* japanese; // UTF-8
    const char* english;
};

struct ListRow {
    const char* key;
    const char* japanese; // items separated by "|"
    const char* english;
};

struct WindowCaptions {
    const char* window;
    std::span<const CaptionRow> captions;
    std::span<const ListRow> lists;
};

std::span<const WindowCaptions> captionTables();

} // namespace zw::detail

#endif // ZW_SHELL_CAPTIONTABLE_H
