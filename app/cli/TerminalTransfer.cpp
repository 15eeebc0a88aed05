#include "TerminalTransfer.h"

#include "BusSettings.h"

#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace zw::cli {

namespace {

constexpr int kBarWidth = 30;
// Wakes the watch thread when the program ends normally.
constexpr int kStopSignal = SIGUSR2;

sigset_t WatchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, kStopSignal);
    return set;
}

std::string Lines(std::string_view text) {
    std::string out(text);
    while (!out.empty() && (out.back() == '\r' || out.back() == '\n'))
        out.pop_back();
    for (char& c : out)
        if (c == '\r')
            c = '\n';
    return out;
}

} // namespace

// ------------------------------------------------------------ InterruptWatch

InterruptWatch::InterruptWatch() {
    const sigset_t set = WatchedSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    thread_ = std::thread([this] { watch(); });
}

InterruptWatch::~InterruptWatch() {
    pthread_kill(thread_.native_handle(), kStopSignal);
    thread_.join();
}

void InterruptWatch::watch() {
    const sigset_t set = WatchedSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0 || signal == kStopSignal)
            return;
        if (requested_.exchange(true)) {
            static const char kAgain[] = "\n";
            [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, kAgain, sizeof kAgain - 1);
            ::_exit(130);
        }
    }
}

// ---------------------------------------------------------- TerminalProgress

void TerminalProgress::ShowProgress(std::string_view phase) {
    shown_ = true;
    phase_ = phase;
    position_ = 0;
    draw();
}

void TerminalProgress::SetPhase(std::string_view phase) {
    phase_ = phase;
    drawnPercent_ = -1;
    draw();
}

void TerminalProgress::SetPosition(int position) {
    position_ = std::clamp(position, 0, 1000);
    draw();
}

void TerminalProgress::CloseProgress() {
    clearLine();
    shown_ = false;
}

void TerminalProgress::draw() {
    if (!visible_ || !shown_)
        return;
    const int percent = position_ / 10;
    if (percent == drawnPercent_)
        return;
    drawnPercent_ = percent;
    const int filled = position_ * kBarWidth / 1000;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r%-12s [%s] %3d%%", phase_.c_str(), bar.c_str(), percent);
    std::fflush(stderr);
}

void TerminalProgress::clearLine() {
    if (!visible_ || drawnPercent_ < 0)
        return;
    std::fprintf(stderr, "\r%*s\r", kBarWidth + 20, "");
    std::fflush(stderr);
    drawnPercent_ = -1;
}

// ------------------------------------------------------------ StderrMessages

std::string StderrMessages::MessageText(int code) const {
    return catalog_.MessageText(code).toStdString();
}

void StderrMessages::ShowBox(std::string_view title, std::string_view text) {
    write(std::string(title) + ": " + Lines(text));
}

void StderrMessages::ShowErrorText(std::string_view text) {
    write(Lines(text));
}

void StderrMessages::write(std::string_view text) {
    if (progress_)
        progress_->clearLine();
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
    ++shown_;
}

// --------------------------------------------------------- LanOverlaySettings

std::string LanOverlaySettings::Setting(std::string_view section, std::string_view key) const {
    if (section == kLanSection) {
        if (host_ && key == model_ + ".Host")
            return host_->toStdString();
        if (port_ && key == model_ + ".Port")
            return std::to_string(*port_);
    }
    return store_.Setting(section, key);
}

} // namespace zw::cli
