// Test doubles of the editor services instrument control uses: a message
// sink that records every box, an in-memory settings store and a progress
// window that can press abort.
#ifndef ZW_TESTS_FAKE_SERVICES_H
#define ZW_TESTS_FAKE_SERVICES_H

#include "InstrumentServices.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zw::test {

// Fills a fixed text field of a record, padded with NULs (a bounded copy).
template <size_t N> void SetField(char (&field)[N], std::string_view text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(N, text.size()));
}

struct Box {
    std::string title;
    std::string text;
};

class RecordingMessages : public InstrumentMessages {
public:
    std::string MessageText(int code) const override {
        static const std::map<int, std::string> texts = {
            {223, "Interface Busy!"},
            {224, "Interface address error. Check Address."},
            {225, "Interface other error"},
            {230, "Interface command error. Check Model."},
        };
        auto it = texts.find(code);
        return (it == texts.end() ? "" : it->second) + "\r";
    }
    void ShowBox(std::string_view title, std::string_view text) override {
        boxes.push_back({std::string(title), std::string(text)});
        if (onBox)
            onBox(boxes.back());
    }
    void ShowErrorText(std::string_view text) override { ShowBox("Error Message", text); }
    std::optional<std::string> InputBox(std::string_view title, std::string_view prompt) override {
        inputs.push_back({std::string(title), std::string(prompt)});
        return inputReply;
    }

    // The boxes with this title.
    std::vector<std::string> Texts(std::string_view title) const {
        std::vector<std::string> out;
        for (const Box& b : boxes)
            if (b.title == title)
                out.push_back(b.text);
        return out;
    }

    std::vector<Box> boxes;
    std::vector<Box> inputs;
    std::optional<std::string> inputReply;
    std::function<void(const Box&)> onBox;
};

class MemorySettings : public InstrumentSettings {
public:
    std::string Setting(std::string_view section, std::string_view key) const override {
        auto it = values.find(std::string(section) + "/" + std::string(key));
        return it == values.end() ? "False" : it->second;
    }
    void SetSetting(std::string_view section, std::string_view key,
                    std::string_view value) override {
        values[std::string(section) + "/" + std::string(key)] = std::string(value);
    }
    bool TryMarkBusy(int board) override { return busy.insert(board).second; }
    void ClearBusy(int board) override { busy.erase(board); }
    bool IsBusy(int board) const override { return busy.count(board) != 0; }
    bool DebugMode() const override { return debug; }
    bool LoopTest() const override { return loop; }
    void SetGpibAddress(int board, int address) override { ownAddresses[board] = address; }

    std::map<std::string, std::string> values;
    std::set<int> busy;
    std::map<int, int> ownAddresses;
    bool debug = false;
    bool loop = false;
};

class FakeWindow : public TransferWindow {
public:
    void SetDialogEnabled(bool enabled) override { dialogEnabled = enabled; }
    void ShowProgress(std::string_view phase) override {
        shown = true;
        phases.emplace_back(phase);
    }
    void SetPhase(std::string_view phase) override { phases.emplace_back(phase); }
    void SetPosition(int position) override { positions.push_back(position); }
    void SetLoopCount(long count) override { loopCounts.push_back(count); }
    void CloseProgress() override { shown = false; }
    bool ProcessEventsAndCheckAbort() override {
        ++polls;
        if (onPoll)
            onPoll(*this);
        return abortAtPoll >= 0 && polls >= abortAtPoll;
    }

    bool dialogEnabled = true;
    bool shown = false;
    std::vector<std::string> phases;
    std::vector<int> positions;
    std::vector<long> loopCounts;
    int polls = 0;
    int abortAtPoll = -1; // press abort at this poll (1-based), never when negative
    std::function<void(FakeWindow&)> onPoll;
};

} // namespace zw::test

#endif // ZW_TESTS_FAKE_SERVICES_H
