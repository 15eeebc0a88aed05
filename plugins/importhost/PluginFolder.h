// The plug-in files of a folder: regular files whose names match a shell
// pattern, as full paths in byte order of their names, so plug-in numbers
// agree on every machine.
#ifndef IMPORTHOST_PLUGINFOLDER_H
#define IMPORTHOST_PLUGINFOLDER_H

#include <string>
#include <vector>

namespace importhost {

// Empty when the folder is missing or cannot be read.
std::vector<std::string> PluginFiles(const std::string& folder, const std::string& pattern);

} // namespace importhost

#endif // IMPORTHOST_PLUGINFOLDER_H
