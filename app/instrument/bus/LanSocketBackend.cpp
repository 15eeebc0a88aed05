#include "bus/LanSocketBackend.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace zw::bus {

namespace {

// A reply longer than this is not a reply but a runaway peer.
constexpr size_t kMaxReply = 1 << 20;

struct AddrInfoDeleter {
    void operator()(addrinfo* p) const { freeaddrinfo(p); }
};

int WaitFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    while (true) {
        const int n = poll(&p, 1, timeoutMs);
        if (n > 0)
            return kBusOk;
        if (n == 0)
            return kBusTimeout;
        if (errno != EINTR)
            return kBusError;
    }
}

} // namespace

LanSocketBackend::~LanSocketBackend() {
    Close();
}

void LanSocketBackend::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    pending_.clear();
}

int LanSocketBackend::Init(const BusConfig& config) {
    Close();
    myAddress_ = static_cast<int>(config.GetInt("MYADRS").value_or(0));
    const std::string host = config.GetOr("LAN_HOST", "");
    const long port = config.GetInt("LAN_PORT").value_or(kDefaultLanPort);
    detail_.clear();
    if (host.empty() || port <= 0 || port > 65535) {
        detail_ = "No host and port are set for this model (section LanSocket).";
        return kBusError;
    }
    const int code = Connect(host, static_cast<int>(port));
    if (code != kBusOk)
        detail_ = "Cannot connect to " + host + ":" + std::to_string(port) +
                  (code == kBusTimeout ? " in time." : ".");
    return code;
}

int LanSocketBackend::Connect(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
        return kBusError;
    std::unique_ptr<addrinfo, AddrInfoDeleter> list(found);
    int result = kBusError;
    for (addrinfo* a = list.get(); a; a = a->ai_next) {
        const int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        int code = kBusOk;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            code = errno == EINPROGRESS
                       ? WaitFor(fd, POLLOUT, TimeoutPollMilliseconds(settings_.timeoutCode))
                       : kBusError;
            if (code == kBusOk) {
                int error = 0;
                socklen_t len = sizeof error;
                if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0)
                    code = kBusError;
            }
        }
        if (code == kBusOk) {
            // Pieces of a block are small writes; without this the kernel
            // would hold each one back until the previous is acknowledged.
            const int one = 1;
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            fd_ = fd;
            return kBusOk;
        }
        ::close(fd);
        result = code;
    }
    return result;
}

int LanSocketBackend::End() {
    Close();
    return kBusOk;
}

int LanSocketBackend::SendAll(std::span<const uint8_t> first, std::string_view second, bool more) {
    if (!Open())
        return kBusError;
    size_t doneFirst = 0;
    size_t doneSecond = 0;
    while (doneFirst < first.size() || doneSecond < second.size()) {
        iovec parts[2];
        int count = 0;
        if (doneFirst < first.size())
            parts[count++] = {const_cast<uint8_t*>(first.data() + doneFirst),
                              first.size() - doneFirst};
        if (doneSecond < second.size())
            parts[count++] = {const_cast<char*>(second.data() + doneSecond),
                              second.size() - doneSecond};
        msghdr message{};
        message.msg_iov = parts;
        message.msg_iovlen = static_cast<size_t>(count);
        const ssize_t sent = ::sendmsg(fd_, &message, MSG_NOSIGNAL | (more ? MSG_MORE : 0));
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                const int code =
                    WaitFor(fd_, POLLOUT, TimeoutPollMilliseconds(settings_.timeoutCode));
                if (code != kBusOk)
                    return code;
                continue;
            }
            detail_ = std::strerror(errno);
            return kBusError;
        }
        size_t n = static_cast<size_t>(sent);
        const size_t fromFirst = std::min(n, first.size() - doneFirst);
        doneFirst += fromFirst;
        doneSecond += n - fromFirst;
    }
    return kBusOk;
}

int LanSocketBackend::SendStr(int, std::string_view text) {
    const std::string_view terminator = settings_.terminators.sendMode == TerminatorMode::Off
                                            ? std::string_view()
                                            : TerminatorText(settings_.terminators.send);
    std::string message(text);
    message += terminator;
    // Without a terminator the message goes on: let the kernel join it with
    // what follows instead of sending a small segment of its own.
    return SendAll({}, message, terminator.empty());
}

int LanSocketBackend::SendBinary(int, std::span<const uint8_t> bytes) {
    const bool endsMessage = settings_.eoi && settings_.terminators.sendMode != TerminatorMode::Off;
    return SendAll(bytes, endsMessage ? TerminatorText(settings_.terminators.send) : "",
                   !endsMessage);
}

int LanSocketBackend::ReadMore() {
    if (!Open())
        return kBusError;
    const int code = WaitFor(fd_, POLLIN, TimeoutPollMilliseconds(settings_.timeoutCode));
    if (code != kBusOk)
        return code;
    char buffer[65536];
    while (true) {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n > 0) {
            pending_.append(buffer, static_cast<size_t>(n));
            return kBusOk;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return kBusTimeout;
        detail_ = n == 0 ? "The instrument closed the connection." : std::strerror(errno);
        return kBusError;
    }
}

int LanSocketBackend::ReceiveStr(int, std::string& reply) {
    reply.clear();
    const std::string_view terminator = TerminatorText(settings_.terminators.receive);
    while (true) {
        if (terminator.empty() && !pending_.empty()) {
            reply.swap(pending_);
            pending_.clear();
            return kBusOk;
        }
        if (!terminator.empty()) {
            const size_t at = pending_.find(terminator);
            if (at != std::string::npos) {
                reply = pending_.substr(0, at);
                pending_.erase(0, at + terminator.size());
                return kBusOk;
            }
        }
        if (pending_.size() > kMaxReply)
            return kBusError;
        const int code = ReadMore();
        if (code != kBusOk)
            return code;
    }
}

int LanSocketBackend::ReceiveBinary(int, std::vector<uint8_t>& bytes, size_t max) {
    bytes.clear();
    if (pending_.empty()) {
        const int code = ReadMore();
        if (code != kBusOk)
            return code;
    }
    const size_t n = std::min(max, pending_.size());
    bytes.assign(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(n));
    pending_.erase(0, n);
    return kBusOk;
}

int LanSocketBackend::DeviceClear(int) {
    // A raw socket has no device clear; dropping unread replies is its
    // nearest equivalent.
    if (!Open())
        return kBusError;
    pending_.clear();
    return kBusOk;
}

int LanSocketBackend::TimeOut(int code) {
    if (!IsValidTimeoutCode(code))
        return kBusError;
    settings_.timeoutCode = code;
    return kBusOk;
}

int LanSocketBackend::Mterm(const Terminators& terminators) {
    settings_.terminators = terminators;
    return kBusOk;
}

int LanSocketBackend::Eoi(bool on) {
    settings_.eoi = on;
    return kBusOk;
}

int LanSocketBackend::BoardAddress(int& address) {
    address = myAddress_;
    return Open() ? kBusOk : kBusError;
}

} // namespace zw::bus
