// The bytes of an upload as the simulator received them, read back by an
// independent IEEE 488.2 block parser (pyvisa, through check_block.py).
#ifndef ZW_TESTS_BLOCK_CHECK_H
#define ZW_TESTS_BLOCK_CHECK_H

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

struct CheckedBlock {
    std::string head;        // the command text before the block
    std::vector<int> values; // the block's 16-bit values
};

// `byteOrder` is "big" or "little". A message the checker refuses gives its
// complaint as `head` and no values.
inline CheckedBlock CheckBlockWithPyvisa(const std::string& wirePath,
                                         const std::string& byteOrder) {
    const std::string command =
        std::string(ZW_PYTHON) + " " + ZW_BLOCK_CHECK + " " + wirePath + " " + byteOrder + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    std::vector<char> buffer(65536);
    for (size_t n = 0; pipe && (n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
        out.append(buffer.data(), n);
    std::istringstream lines(out);
    CheckedBlock block;
    std::string values;
    std::getline(lines, block.head);
    std::getline(lines, values);
    std::istringstream numbers(values);
    for (int v = 0; numbers >> v;)
        block.values.push_back(v);
    return block;
}

#endif // ZW_TESTS_BLOCK_CHECK_H
