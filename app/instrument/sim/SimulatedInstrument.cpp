#include "sim/SimulatedInstrument.h"

#include <algorithm>
#include <cctype>

namespace zw::sim {

namespace {

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

SimulatedInstrument::SimulatedInstrument(SimulatorOptions options, Record record, Wire wire,
                                         std::shared_ptr<InstrumentState> shared)
    : options_(std::move(options)), record_(std::move(record)), wire_(std::move(wire)),
      state_(std::move(shared)) {
    if (!state_) {
        state_ = std::make_shared<InstrumentState>();
        state_->littleEndian = options_.littleEndian;
    }
    Reset();
}

void SimulatedInstrument::Reset() {
    parse_ = State::Text;
    unit_.clear();
    message_.clear();
    messageHasBlock_ = false;
    block_.clear();
    blockBytesSeen_ = 0;
    messageBytes_ = 0;
    // Status and errors belong to the connection.
    errors_.clear();
    esr_ = 0;
    if (options_.forcedStatus != 0)
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
    if (errors_.size() < kErrorQueueDepth)
        errors_.push_back(entry);
    else
        errors_.back() = "-350,\"Queue overflow\"";
    esr_ |= code <= -100 && code > -200 ? 32 : 16;
    record_("ERROR " + entry);
}

bool SimulatedInstrument::Feed(const char* data, size_t size, std::vector<std::string>& replies) {
    size_t i = 0;
    while (i < size) {
        // Every byte up to the end of a message counts, so a controller that
        // never ends one cannot make the simulator keep it without bound.
        if (messageBytes_ >= kMaxMessageBytes) {
            PushError(-223, "Too much data");
            record_("DROPPED after " + std::to_string(messageBytes_) +
                    " bytes without message end");
            return false;
        }
        if (parse_ == State::BlockData) {
            const size_t n =
                std::min({blockRemaining_, size - i, kMaxMessageBytes - messageBytes_});
            messageBytes_ += n;
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
                parse_ = State::Text;
            continue;
        }
        const char c = data[i++];
        ++messageBytes_;
        if (wire_)
            message_ += c;
        switch (parse_) {
        case State::Text:
            if (c == '"' || c == '\'') {
                quote_ = c;
                parse_ = State::Quoted;
                unit_ += c;
            } else if (c == '#' && unit_.find_first_not_of(" \t") != std::string::npos &&
                       !messageHasBlock_) {
                parse_ = State::BlockDigits;
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
                parse_ = State::Text;
            break;
        case State::BlockDigits:
            if (c >= '1' && c <= '9') {
                digits_ = static_cast<size_t>(c - '0');
                lengthText_.clear();
                parse_ = State::BlockLength;
            } else {
                PushError(-161, "Invalid block data");
                parse_ = State::Text;
            }
            break;
        case State::BlockLength:
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                PushError(-161, "Invalid block data");
                parse_ = State::Text;
                break;
            }
            lengthText_ += c;
            if (lengthText_.size() == digits_) {
                blockRemaining_ = std::stoull(lengthText_);
                if (blockRemaining_ > SimulatedInstrument::kMaxBlockBytes) {
                    PushError(-161, "Invalid block data");
                    return false;
                }
                messageHasBlock_ = true;
                block_.clear();
                parse_ = blockRemaining_ ? State::BlockData : State::Text;
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
        messageBytes_ = 0;
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
        state_->settings.clear();
        record_("SETTING *RST");
    } else if (query) {
        auto it = state_->settings.find(header.substr(0, header.size() - 1));
        if (it == state_->settings.end()) {
            PushError(-113, "Undefined header");
        } else {
            reply(it->second);
        }
    } else {
        if (header == "FORM:BORD" || header == "FORMAT:BORDER") {
            const std::string order = Upper(args);
            state_->littleEndian = order == "SWAP" || order == "SWAPPED";
        }
        state_->settings[header] = args;
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
        const uint8_t hi = state_->littleEndian ? block_[i + 1] : block_[i];
        const uint8_t lo = state_->littleEndian ? block_[i] : block_[i + 1];
        const auto code = static_cast<int16_t>(static_cast<uint16_t>(hi << 8 | lo));
        codes += ' ';
        codes += std::to_string(code);
    }
    record_(codes);
    state_->settings[header] = "#block " + std::to_string(block_.size());
}

} // namespace zw::sim
