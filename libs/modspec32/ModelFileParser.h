// Parses one model definition file into ModelEntry records: the block
// grammar, references to global blocks of the same file, and command
// scripts. Each completed model is appended at once, so models finished
// before a failure stay.
#pragma once

#include "LineReader.h"
#include "LineTokens.h"
#include "LoadResult.h"
#include "ModelRecords.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace modspec32 {

class ModelFileParser {
public:
    ModelFileParser(std::filesystem::path path, std::vector<ModelEntry>& models);

    // 0, or a LoadCode; errorLine() then tells the line it happened on.
    int parse();
    int errorLine() const { return line_; }
    // Lines read so far, every pass over the file counted: what a load costs.
    long linesRead() const { return linesRead_; }

private:
    int parseFile();
    bool readLine(LineReader& in);

    // Reads the lines of one block up to its "end" (or the end of the file),
    // giving each assignment to onAssignment(key, value) and each block line
    // to onBlock(line, reader), which returns 0 or the error that ends the load.
    template <class OnAssignment, class OnBlock>
    int parseBody(LineReader& in, OnAssignment&& onAssignment, OnBlock&& onBlock);

    // A block written in place (begin) or in a global block (reference).
    template <class ParseBody>
    int openBlock(const BlockLine& line, LineReader& in, ParseBody&& body);
    template <class ParseBody> int parseReferenced(const BlockLine& line, ParseBody&& body);

    // Where each global block's body starts, by name and label: the first
    // block of each, among the lines before the first one that is no block
    // line (where a search from the top of the file would give up). Made once
    // per load, at the first reference, so that references cost no rescan.
    struct GlobalBody {
        long offset;
        int line; // of its "begin global" line
    };
    using GlobalIndex = std::map<std::pair<std::string, std::string>, GlobalBody>;
    const GlobalIndex& globals();

    int parseSystem(LineReader& in, ModelEntry& model);
    int parseIntParam(LineReader& in, IntParam& param, const BlockLine& opening);
    int parseWaveMemory(LineReader& in, ModelEntry& model);
    int parseSystemParameter(LineReader& in, ModelEntry& model);
    int parseChannel(LineReader& in, ChannelEntry& channel);
    int parseVoltRange(LineReader& in, RangeEntry& range);
    int parseRealParam(LineReader& in, RealParam& param);
    int parseCondition(LineReader& in, ResolutionCondition& condition);
    int parseWarning(LineReader& in, ConditionWarning& warning);
    // `script` is nullptr for a script name the format does not know.
    int parseScript(LineReader& in, CommandScript* script);

    std::filesystem::path path_;
    std::vector<ModelEntry>& models_;
    std::string piece_;
    int line_ = 0; // the line errors report; set back after a referenced block
    std::optional<GlobalIndex> globals_;
    long linesRead_ = 0;
};

} // namespace modspec32
