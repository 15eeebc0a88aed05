#include "SharedFileSettings.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zw::test {

namespace {

std::string Key(std::string_view section, std::string_view key) {
    return std::string(section) + "\t" + std::string(key);
}

std::string BusySection(int board) {
    return std::to_string(board) + "GPIB";
}

} // namespace

template <typename Change> auto SharedFileSettings::Locked(Change change) const {
    const int fd = ::open((path_ + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ::flock(fd, LOCK_EX);
    struct Unlock {
        int fd;
        ~Unlock() {
            ::flock(fd, LOCK_UN);
            ::close(fd);
        }
    } unlock{fd};
    return change();
}

SharedFileSettings::Values SharedFileSettings::Load() const {
    Values values;
    std::ifstream in(path_);
    std::string line;
    while (std::getline(in, line)) {
        const size_t second = line.find('\t', line.find('\t') + 1);
        if (second != std::string::npos)
            values[line.substr(0, second)] = line.substr(second + 1);
    }
    return values;
}

void SharedFileSettings::Store(const Values& values) const {
    const std::string temporary = path_ + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const auto& [key, value] : values)
            out << key << '\t' << value << '\n';
    }
    std::rename(temporary.c_str(), path_.c_str());
}

bool SharedFileSettings::Alive(const std::string& pid) {
    const long id = std::atol(pid.c_str());
    return id > 0 && (::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM);
}

std::string SharedFileSettings::Setting(std::string_view section, std::string_view key) const {
    return Locked([&] {
        const Values values = Load();
        auto it = values.find(Key(section, key));
        return it == values.end() ? std::string("False") : it->second;
    });
}

void SharedFileSettings::SetSetting(std::string_view section, std::string_view key,
                                    std::string_view value) {
    Locked([&] {
        Values values = Load();
        values[Key(section, key)] = std::string(value);
        Store(values);
        return 0;
    });
}

bool SharedFileSettings::TryMarkBusy(int board) {
    const bool marked = Locked([&] {
        Values values = Load();
        const std::string section = BusySection(board);
        if (values[Key(section, "Busy")] == "True" && Alive(values[Key(section, "Owner")]))
            return false;
        values[Key(section, "Busy")] = "True";
        values[Key(section, "Owner")] = std::to_string(::getpid());
        Store(values);
        return true;
    });
    if (marked)
        held_.insert(board);
    return marked;
}

void SharedFileSettings::ClearBusy(int board) {
    if (!held_.erase(board))
        return;
    Locked([&] {
        Values values = Load();
        values[Key(BusySection(board), "Busy")] = "False";
        values.erase(Key(BusySection(board), "Owner"));
        Store(values);
        return 0;
    });
}

bool SharedFileSettings::IsBusy(int board) const {
    return Locked([&] {
        Values values = Load();
        const std::string section = BusySection(board);
        return values[Key(section, "Busy")] == "True" && Alive(values[Key(section, "Owner")]);
    });
}

void SharedFileSettings::SetGpibAddress(int board, int address) {
    SetSetting(BusySection(board), "Address", std::to_string(address));
}

} // namespace zw::test
