#include "sim/SimulatedInstrument.h"

#include <algorithm>
#include <cctype>

namespace zw::sim {

namespace {

// Larger blocks are refused: no generator memory is that deep, and the
// simulator must not be made to allocate without bound.
constexpr size_t kMaxBlock = 64u << 20;

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool IsErrorQuery(const std::string& h) {
    return h == "SYST:ERR?" || h == "SYSTEM:ERROR?" || h == "SYST:ERR:NEXT?" ||
           h == "SYSTEM:ERROR:NEXT?";
}

} // namespace

SimulatedInstrument::SimulatedInstrument(SimulatorOptions options, Record record, Wire wire)
    : options_(std::move(options)), record_(std::move(record)), wire_(std::move(wire)) {
    Reset();
}

void SimulatedInstrument::Reset() {
    state_ = State::Text;
    unit_.clear();
    message_.clear();
    messageHasBlock_ = false;
    block_.clear();
    blockBytesSeen_ = 0;
    if (options_.forcedStatus != 0 && errors_.empty())
        errors_.push_back(options_.forcedError);
}

std::string SimulatedInstrument::NormalisedHeader(std::string header) const {
    header = Upper(std::move(header));
    if (!header.empty() && header.front() == ':')
        header.erase(0, 1);
    return header;
}

void SimulatedInstrument::PushError(int code, const std::string& text) {
    const std::string entry = std::to_string(code) + ",\"" + text + "\"";
    errors_.push_back(entry);
    esr_ |= code <= -100 && code > -200 ? 32 : 16;
    record_("ERROR " + entry);
}

bool SimulatedInstrument::Feed(const char* data, size_t size, std::vector<std::string>& replies) {
    size_t i = 0;
    while (i < size) {
        if (state_ == State::BlockData) {
            const size_t n = std::min(blockRemaining_, size - i);
            block_.insert(block_.end(), data + i, data + i + n);
            if (wire_)
                message_.append(data + i, n);
            i += n;
            blockRemaining_ -= n;
            blockBytesSeen_ += n;
            if (options_.dropAfterBlockBytes && blockBytesSeen_ >= *options_.dropAfterBlockBytes) {
                record_("DROPPED after " + std::to_string(blockBytesSeen_) + " block bytes");
                return false;
            }
            if (blockRemaining_ == 0)
                state_ = State::Text;
            continue;
        }
        const char c = data[i++];
        if (wire_)
            message_ += c;
        switch (state_) {
        case State::Text:
            if (c == '"' || c == '\'') {
                quote_ = c;
                state_ = State::Quoted;
                unit_ += c;
            } else if (c == '#' && unit_.find_first_not_of(" \t") != std::string::npos &&
                       !messageHasBlock_) {
                state_ = State::BlockDigits;
            } else if (c == ';') {
                EndUnit(false, replies);
            } else if (c == '\n') {
                EndUnit(true, replies);
            } else {
                unit_ += c;
            }
            break;
        case State::Quoted:
            unit_ += c;
            if (c == quote_)
                state_ = State::Text;
            break;
        case State::BlockDigits:
            if (c >= '1' && c <= '9') {
                digits_ = static_cast<size_t>(c - '0');
                lengthText_.clear();
                state_ = State::BlockLength;
            } else {
                PushError(-161, "Invalid block data");
                state_ = State::Text;
            }
            break;
        case State::BlockLength:
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                PushError(-161, "Invalid block data");
                state_ = State::Text;
                break;
            }
            lengthText_ += c;
            if (lengthText_.size() == digits_) {
                blockRemaining_ = std::stoull(lengthText_);
                if (blockRemaining_ > kMaxBlock) {
                    PushError(-161, "Invalid block data");
                    return false;
                }
                messageHasBlock_ = true;
                block_.clear();
                state_ = blockRemaining_ ? State::BlockData : State::Text;
            }
            break;
        case State::BlockData:
            break;
        }
    }
    return true;
}

void SimulatedInstrument::EndUnit(bool endOfMessage, std::vector<std::string>& replies) {
    if (messageHasBlock_) {
        ExecuteBlock(unit_, replies);
    } else {
        Execute(unit_, replies);
    }
    unit_.clear();
    messageHasBlock_ = false;
    if (endOfMessage) {
        if (wire_ && !block_.empty())
            wire_(message_);
        block_.clear();
        message_.clear();
    }
}

void SimulatedInstrument::Execute(const std::string& rawUnit, std::vector<std::string>& replies) {
    const std::string unit = Trim(rawUnit);
    if (unit.empty())
        return;
    const size_t space = unit.find_first_of(" \t");
    const std::string header = NormalisedHeader(unit.substr(0, space));
    const std::string args = space == std::string::npos ? "" : Trim(unit.substr(space));
    // A lone ":" (or ": value") names no command at all.
    if (header.empty()) {
        PushError(-102, "Syntax error");
        return;
    }
    const bool query = header.back() == '?';

    auto reply = [&](const std::string& text) {
        record_("QUERY " + header + " -> " + text);
        replies.push_back(text);
    };

    if (header == "*IDN?") {
        reply(options_.identity);
    } else if (header == "*ESR?") {
        reply(std::to_string(options_.forcedStatus ? options_.forcedStatus : esr_));
        esr_ = 0;
    } else if (header == "*STB?") {
        reply(std::to_string((errors_.empty() ? 0 : 4) | (esr_ ? 32 : 0)));
    } else if (header == "*OPC?") {
        reply("1");
    } else if (IsErrorQuery(header)) {
        if (errors_.empty()) {
            reply("+0,\"No error\"");
        } else {
            reply(errors_.front());
            errors_.pop_front();
        }
    } else if (header == "*CLS") {
        errors_.clear();
        esr_ = 0;
        record_("SETTING *CLS");
    } else if (header == "*RST") {
        settings_.clear();
        record_("SETTING *RST");
    } else if (query) {
        auto it = settings_.find(header.substr(0, header.size() - 1));
        if (it == settings_.end()) {
            PushError(-113, "Undefined header");
        } else {
            reply(it->second);
        }
    } else {
        if (header == "FORM:BORD" || header == "FORMAT:BORDER") {
            const std::string order = Upper(args);
            options_.littleEndian = order == "SWAP" || order == "SWAPPED";
        }
        settings_[header] = args;
        record_("SETTING " + header + (args.empty() ? "" : " " + args));
    }
}

void SimulatedInstrument::ExecuteBlock(const std::string& head, std::vector<std::string>&) {
    std::string command = Trim(head);
    while (!command.empty() && (command.back() == ',' || command.back() == ' '))
        command.pop_back();
    const size_t space = command.find_first_of(" \t");
    const std::string header = NormalisedHeader(command.substr(0, space));
    const std::string args = space == std::string::npos ? "" : Trim(command.substr(space));
    record_("WAVE " + header + (args.empty() ? "" : " " + args) + " " +
            std::to_string(block_.size()) + " bytes");
    if (block_.size() % 2 != 0) {
        PushError(-161, "Invalid block data");
        return;
    }
    std::string codes = "CODES " + std::to_string(block_.size() / 2);
    codes.reserve(codes.size() + block_.size() * 4);
    for (size_t i = 0; i + 1 < block_.size(); i += 2) {
        const uint8_t hi = options_.littleEndian ? block_[i + 1] : block_[i];
        const uint8_t lo = options_.littleEndian ? block_[i] : block_[i + 1];
        const auto code = static_cast<int16_t>(static_cast<uint16_t>(hi << 8 | lo));
        codes += ' ';
        codes += std::to_string(code);
    }
    record_(codes);
    settings_[header] = "#block " + std::to_string(block_.size());
}

} // namespace zw::sim
