#include "PluginFolder.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace importhost {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

std::string Joined(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return "./" + name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

std::vector<std::string> PluginFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirectoryCloser> directory(
        opendir(folder.empty() ? "." : folder.c_str()));
    if (!directory)
        return names;
    while (const dirent* entry = readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && fnmatch(pattern.c_str(), name.c_str(), FNM_PERIOD) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        std::string path = Joined(folder, name);
        if (IsRegularFile(path))
            paths.push_back(std::move(path));
    }
    return paths;
}

} // namespace importhost
