// An outside library bound by name at run time (dlopen/dlsym), closed when
// the object goes. Back-ends use it so that a library that is not installed
// is an ordinary "Nonexistent interface board" and not a start-up failure.
#ifndef ZW_BUS_DYNAMIC_LIBRARY_H
#define ZW_BUS_DYNAMIC_LIBRARY_H

#include <memory>
#include <string>
#include <vector>

namespace zw::bus {

class DynamicLibrary {
public:
    // Opens the first of `names` that loads; nothing when none does, with
    // the loader's reason in `error`.
    static std::unique_ptr<DynamicLibrary> Open(const std::vector<std::string>& names,
                                                std::string& error);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    const std::string& Name() const { return name_; }

    // Binds `symbol` into `function`; false (and `function` null) when the
    // library lacks it.
    template <typename F> bool Bind(F& function, const char* symbol) const {
        function = reinterpret_cast<F>(Address(symbol));
        return function != nullptr;
    }

private:
    DynamicLibrary(void* handle, std::string name) : handle_(handle), name_(std::move(name)) {}
    void* Address(const char* symbol) const;

    void* handle_;
    std::string name_;
};

} // namespace zw::bus

#endif // ZW_BUS_DYNAMIC_LIBRARY_H
