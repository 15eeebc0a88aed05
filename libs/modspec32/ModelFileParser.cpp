#include "ModelFileParser.h"

#include "ValueConversion.h"

#include <new>
#include <string_view>
#include <utility>

namespace modspec32 {

namespace {

bool opensInPlaceOrByReference(const BlockLine& line) {
    return line.kind == LineKind::Begin || line.kind == LineKind::Reference;
}

CommandScript* scriptNamed(ModelEntry& model, std::string_view lowered) {
    if (lowered == "gpib_init") {
        return &model.scripts[kScriptInit];
    }
    if (lowered == "gpib_end") {
        return &model.scripts[kScriptEnd];
    }
    if (lowered == "system_transfer") {
        return &model.scripts[kScriptSystemTransfer];
    }
    if (lowered == "wave_transfer") {
        return &model.scripts[kScriptWaveTransfer];
    }
    return nullptr;
}

// Commands are kept between double quotes, whether or not they were written so.
std::string quotedCommand(std::string_view command) {
    std::string quoted;
    if (command.empty() || command.front() != '"') {
        quoted.push_back('"');
    }
    quoted.append(command);
    quoted.push_back('"');
    return quoted;
}

int32_t memoryModeFor(std::string_view value, int32_t current) {
    const std::string lowered = asciiLower(value);
    if (lowered == "none") {
        return kMemoryNone;
    }
    if (lowered == "fix") {
        return kMemoryFix;
    }
    if (lowered == "select") {
        return kMemorySelect;
    }
    if (lowered == "variable") {
        return kMemoryVariable;
    }
    return current;
}

// Handler for blocks that accept no nested block at all.
int refuseBlocks(const BlockLine&, LineReader&) {
    return kStructureError;
}

// Handler for blocks that read lines of unknown blocks as their own.
int ignoreBlock(const BlockLine&, LineReader&) {
    return kLoadOk;
}

} // namespace

ModelFileParser::ModelFileParser(std::filesystem::path path, std::vector<ModelEntry>& models)
    : path_(std::move(path)), models_(models) {}

int ModelFileParser::parse() {
    try {
        return parseFile();
    } catch (const std::bad_alloc&) {
        return kMemoryError;
    }
}

bool ModelFileParser::readLine(LineReader& in) {
    if (!in.next(piece_)) {
        return false;
    }
    ++linesRead_;
    line_ = in.lineNumber();
    return true;
}

// Only system blocks count at the top level; every other line, the bodies
// of global blocks included, is checked for syntax and otherwise skipped.
int ModelFileParser::parseFile() {
    LineReader in(path_);
    if (!in.isOpen()) {
        return kReadError;
    }
    while (readLine(in)) {
        const auto line = parseBlockLine(piece_);
        if (!line) {
            return kStructureError;
        }
        if (line->kind == LineKind::Begin && line->name == "system") {
            ModelEntry model;
            if (const int code = parseSystem(in, model)) {
                return code;
            }
            model.index = static_cast<int32_t>(models_.size());
            models_.push_back(std::move(model));
        }
    }
    return in.failed() ? kReadError : kLoadOk;
}

template <class OnAssignment, class OnBlock>
int ModelFileParser::parseBody(LineReader& in, OnAssignment&& onAssignment, OnBlock&& onBlock) {
    while (readLine(in)) {
        const auto line = parseBlockLine(piece_);
        if (!line) {
            return kSyntaxError;
        }
        switch (line->kind) {
        case LineKind::Blank:
            break;
        case LineKind::End:
            return kLoadOk;
        case LineKind::Assignment:
            onAssignment(line->name, std::string_view(line->value));
            break;
        default:
            if (const int code = onBlock(*line, in)) {
                return code;
            }
            break;
        }
    }
    return in.failed() ? kReadError : kLoadOk;
}

template <class ParseBody>
int ModelFileParser::openBlock(const BlockLine& line, LineReader& in, ParseBody&& body) {
    if (line.kind == LineKind::Reference) {
        return parseReferenced(line, body);
    }
    return body(in);
}

const ModelFileParser::GlobalIndex& ModelFileParser::globals() {
    if (globals_) {
        return *globals_;
    }
    globals_.emplace();
    LineReader scan(path_);
    std::string piece;
    while (scan.isOpen() && scan.next(piece)) {
        ++linesRead_;
        const auto candidate = parseBlockLine(piece);
        if (!candidate) {
            break;
        }
        if (candidate->kind == LineKind::BeginGlobal) {
            globals_->try_emplace({candidate->name, candidate->value},
                                  GlobalBody{scan.offset(), scan.lineNumber()});
        }
    }
    return *globals_;
}

// The global block of that name and label, the first in the file, is parsed
// from the file opened again as if written in place. Nesting is bounded by
// the grammar: each level names a block kind further down (channel, then
// voltrange, ...), so references cannot form a cycle.
template <class ParseBody>
int ModelFileParser::parseReferenced(const BlockLine& line, ParseBody&& body) {
    const int referenceLine = line_;
    const GlobalIndex& index = globals();
    const auto found = index.find({line.name, line.value});
    if (found != index.end()) {
        LineReader scan(path_, found->second.offset, found->second.line);
        if (scan.isOpen()) {
            if (const int code = body(scan)) {
                return code;
            }
            line_ = referenceLine;
            return kLoadOk;
        }
    }
    line_ = referenceLine;
    return kReadError;
}

int ModelFileParser::parseSystem(LineReader& in, ModelEntry& model) {
    const auto assign = [&model](const std::string& key, std::string_view value) {
        if (key == "name_s") {
            model.name.assign(value);
        } else if (key == "sname_s") {
            model.shortName.assign(value);
        } else if (key == "slot_b") {
            model.slotFlag = parseFlag(value);
        } else if (key == "data_bit") {
            model.dataBitMask = parseHex(value);
        } else if (key == "sp_bit") {
            model.spBitMask = parseHex(value);
        } else if (key == "status_bit") {
            model.statusBit = parseDecimal(value);
        }
    };
    const auto block = [this, &model](const BlockLine& line, LineReader& reader) -> int {
        if (line.kind == LineKind::BeginScript) {
            if (line.name != "gpib_command") {
                return kSyntaxError;
            }
            return parseScript(reader, scriptNamed(model, asciiLower(line.value)));
        }
        if (!opensInPlaceOrByReference(line)) {
            return kStructureError;
        }
        if (line.name == "usb_id" || line.name == "gpib_address") {
            IntParam& param = line.name == "usb_id" ? model.usbId : model.gpibAddress;
            return openBlock(line, reader,
                             [&](LineReader& r) { return parseIntParam(r, param, line); });
        }
        if (line.name == "wavememory") {
            return openBlock(line, reader,
                             [&](LineReader& r) { return parseWaveMemory(r, model); });
        }
        if (line.name == "systemparameter") {
            return openBlock(line, reader,
                             [&](LineReader& r) { return parseSystemParameter(r, model); });
        }
        return kStructureError;
    };
    return parseBody(in, assign, block);
}

int ModelFileParser::parseIntParam(LineReader& in, IntParam& param, const BlockLine& opening) {
    param.value = param.size = param.min = param.max = param.init = param.resolution = 0;
    if (opening.hasLabel) {
        param.text.assign(opening.value);
    }
    const auto assign = [&param](const std::string& key, std::string_view value) {
        if (key == "min_i") {
            param.min = parseDecimal(value);
        } else if (key == "max_i") {
            param.max = parseDecimal(value);
        } else if (key == "init_i") {
            param.init = parseDecimal(value);
        } else if (key == "size_i") {
            param.size = parseDecimal(value);
            param.text.assign(value);
        } else if (key == "i_val") {
            param.value = parseDecimal(value);
        } else if (key == "i_reso") {
            param.resolution = parseDecimal(value);
        } else if (key == "s_val") {
            param.text.assign(value);
        } else if (key == "s_opt_val") {
            param.optionText.assign(value);
        }
    };
    return parseBody(in, assign, refuseBlocks);
}

int ModelFileParser::parseWaveMemory(LineReader& in, ModelEntry& model) {
    const auto assign = [&model](const std::string& key, std::string_view value) {
        if (key == "mem_name_b") {
            model.memoryNameFlag = parseFlag(value);
        } else if (key == "sel_s") {
            model.memoryMode = memoryModeFor(value, model.memoryMode);
        }
    };
    const auto block = [this, &model](const BlockLine& line, LineReader& reader) -> int {
        if (!opensInPlaceOrByReference(line) || line.name != "memorysize") {
            return ignoreBlock(line, reader);
        }
        IntParam& size = model.memorySizes.emplace_back();
        const int code =
            openBlock(line, reader, [&](LineReader& r) { return parseIntParam(r, size, line); });
        // A memory size is always shown by its size, whatever its label said.
        size.text.assign(std::to_string(size.size));
        return code;
    };
    return parseBody(in, assign, block);
}

int ModelFileParser::parseSystemParameter(LineReader& in, ModelEntry& model) {
    const auto assign = [&model](const std::string& key, std::string_view value) {
        if (key == "channel_b") {
            model.channelFlag = parseFlag(value);
        }
    };
    const auto block = [this, &model](const BlockLine& line, LineReader& reader) -> int {
        if (!opensInPlaceOrByReference(line) || line.name != "channel") {
            return ignoreBlock(line, reader);
        }
        ChannelEntry& channel = model.channels.emplace_back();
        return openBlock(line, reader, [&](LineReader& r) { return parseChannel(r, channel); });
    };
    return parseBody(in, assign, block);
}

int ModelFileParser::parseChannel(LineReader& in, ChannelEntry& channel) {
    const auto assign = [&channel](const std::string& key, std::string_view value) {
        if (key == "name_s") {
            channel.name.assign(value);
        } else if (key == "offs_switch_b") {
            channel.offsetSwitch = parseFlag(value);
        } else if (key == "x_exp_i") {
            channel.xMode = parseDecimal(value);
        }
    };
    const auto block = [this, &channel](const BlockLine& line, LineReader& reader) -> int {
        if (!opensInPlaceOrByReference(line)) {
            return ignoreBlock(line, reader);
        }
        if (line.name == "frequency") {
            RealParam& frequency = channel.frequency.append();
            return openBlock(line, reader,
                             [&](LineReader& r) { return parseRealParam(r, frequency); });
        }
        if (line.name == "voltrange") {
            RangeEntry& range = channel.ranges.emplace_back();
            return openBlock(line, reader, [&](LineReader& r) { return parseVoltRange(r, range); });
        }
        return ignoreBlock(line, reader);
    };
    return parseBody(in, assign, block);
}

int ModelFileParser::parseVoltRange(LineReader& in, RangeEntry& range) {
    const auto assign = [&range](const std::string& key, std::string_view value) {
        if (key == "range_s") {
            range.name.assign(value);
        }
    };
    const auto block = [this, &range](const BlockLine& line, LineReader& reader) -> int {
        if (!opensInPlaceOrByReference(line) ||
            (line.name != "amplitude" && line.name != "offset")) {
            return ignoreBlock(line, reader);
        }
        RealParam& param =
            line.name == "amplitude" ? range.amplitude.append() : range.offset.append();
        return openBlock(line, reader, [&](LineReader& r) { return parseRealParam(r, param); });
    };
    return parseBody(in, assign, block);
}

int ModelFileParser::parseRealParam(LineReader& in, RealParam& param) {
    const auto assign = [&param](const std::string& key, std::string_view value) {
        if (key == "min_d") {
            param.min = parseReal(value);
        } else if (key == "max_d") {
            param.max = parseReal(value);
        } else if (key == "init_d") {
            param.init = parseReal(value);
        } else if (key == "reso_d") {
            param.resolution = parseReal(value);
        }
    };
    const auto block = [this, &param](const BlockLine& line, LineReader& reader) -> int {
        if (line.kind != LineKind::Begin) {
            return kStructureError;
        }
        if (line.name == "condition") {
            return parseCondition(reader, param.conditions.emplace_back());
        }
        if (line.name == "conditionwarning") {
            return parseWarning(reader, param.warnings.emplace_back());
        }
        return kStructureError;
    };
    return parseBody(in, assign, block);
}

int ModelFileParser::parseCondition(LineReader& in, ResolutionCondition& condition) {
    const auto assign = [&condition](const std::string& key, std::string_view value) {
        if (key == "cond_s") {
            condition.condition.assign(value);
        } else if (key == "reso_d") {
            condition.resolution = parseReal(value);
        }
    };
    return parseBody(in, assign, refuseBlocks);
}

int ModelFileParser::parseWarning(LineReader& in, ConditionWarning& warning) {
    const auto assign = [&warning](const std::string& key, std::string_view value) {
        if (key == "cond_s") {
            warning.condition.assign(value);
        } else if (key == "warn_j_s") {
            warning.warningJapanese.assign(value);
        } else if (key == "warn_e_s") {
            warning.warningEnglish.assign(value);
        }
    };
    return parseBody(in, assign, refuseBlocks);
}

int ModelFileParser::parseScript(LineReader& in, CommandScript* script) {
    while (readLine(in)) {
        const ScriptLine line = parseScriptLine(piece_);
        switch (line.kind) {
        case ScriptLineKind::Blank:
            break;
        case ScriptLineKind::End:
            return kLoadOk;
        case ScriptLineKind::Bad:
            return kSyntaxError;
        case ScriptLineKind::Command:
            if (script == nullptr) {
                return kStructureError;
            }
            if (script->entries.size() < kScriptMaxEntries) {
                ScriptEntry& entry = script->entries.emplace_back();
                entry.key.assign(line.key);
                entry.command.assign(quotedCommand(line.command));
            }
            break;
        }
    }
    return in.failed() ? kReadError : kLoadOk;
}

} // namespace modspec32
