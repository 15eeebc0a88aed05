// `make`: a page file computed by the tool equals the same pages computed
// through the Create window's logic under the same setup.
#include "CliProcess.h"
#include "CurrentSetting.h"
#include "ModelCatalogue.h"
#include "PageComputer.h"
#include "PageFile.h"
#include "PageTable.h"
#include "SetupFile.h"
#include "Units.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace zw;
using namespace zw::test;

namespace {

constexpr int kLength = 4096;

create::PageTable TwoPages() {
    create::PageTable table(kLength);
    create::PageRecord& sine = table.page(1);
    sine.Type = create::PageType::Sine;
    sine.Start = 0;
    sine.End = 2048;
    sine.Amplitude = 30000;
    sine.Cycles = 3;
    sine.Effective = sine.Visited = true;
    create::PageRecord& formula = table.page(2);
    formula.Type = create::PageType::Expression;
    formula.Start = 2048;
    formula.End = kLength;
    formula.Constants = "k=4000;";
    formula.Expression = "20000*sin(2*pi*x*k)"; // x in seconds: the setup's unit
    formula.Effective = formula.Visited = true;
    return table;
}

std::vector<int16_t> Samples(ZwMemHandle memory, size_t count) {
    const LockedBlock<int16_t> block(memory);
    return std::vector<int16_t>(block.data(), block.data() + count);
}

} // namespace

TEST(CliMake, PageFileInTimeUnitsEqualsAllPageOk) {
    const CliFolder folder("make-time");
    const std::string ocb = folder.file("time.ocb");
    ASSERT_EQ(folder
                  .run({"setup", "--model", "ZWG-216", "--memory-size", "4096", "--frequency", "1k",
                        "--x-unit", "time", "-o", ocb})
                  .exitCode,
              0);

    CurrentSetting setting;
    cli::LoadModels(ZW_MODELS_DIR, Language::English, setting);
    ASSERT_EQ(ReadSetupFile(QString::fromStdString(ocb), setting), 0);
    const Units units(setting.info());
    ASSERT_EQ(units.setting().XUnit, 1);
    ASSERT_EQ(units.setting().WaveLength, kLength);

    create::PageTable table = TwoPages();
    const std::string pages = folder.file("two.wfn");
    ASSERT_EQ(create::SavePageFile(QString::fromStdString(pages), table, units, Language::English),
              0);
    // The file holds time, not samples: the tool must read it under the setup.
    EXPECT_NE(ReadFile(pages).find(" .0005\t"), std::string::npos) << ReadFile(pages);

    const CliResult r = folder.run({"make", pages, "--setup", ocb, "-o", folder.file("made.wdb")});
    ASSERT_EQ(r.exitCode, 0) << r.err;

    const ZwMemHandle work = W_AllocMemory(65536), target = W_AllocMemory(65536);
    {
        const create::PageComputer computer(work, units, create::CreateMode::InPlace);
        create::CreateTarget into{target, {}};
        ASSERT_EQ(create::AllPageOK(table, computer, into), 0);
    }
    const std::vector<int16_t> expected = Samples(target, kLength);
    const std::vector<int16_t> made = WdbSamples(folder.file("made.wdb"));
    ASSERT_GE(made.size(), static_cast<size_t>(kLength));
    EXPECT_EQ(std::vector<int16_t>(made.begin(), made.begin() + kLength), expected);
    // Both pages really produced something.
    EXPECT_NE(expected[100], 0);
    EXPECT_NE(expected[3000], 0);
    W_FreeMemory(work);
    W_FreeMemory(target);

    // The .txt form holds the same codes, one a line.
    ASSERT_EQ(folder.run({"make", pages, "--setup", ocb, "-o", folder.file("made.txt")}).exitCode,
              0);
    const std::string text = ReadFile(folder.file("made.txt"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kLength);
}

TEST(CliMake, FailuresKeepAnExistingOutput) {
    const CliFolder folder("make-failures");
    const std::string out = folder.file("keep.txt");
    FILE* f = std::fopen(out.c_str(), "w");
    std::fputs("old\n", f);
    std::fclose(f);

    CliResult r = folder.run({"make", folder.file("missing.wfn"), "-o", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("missing.wfn"), std::string::npos) << r.err;

    const std::string bad = folder.file("bad.wfn");
    f = std::fopen(bad.c_str(), "w");
    std::fputs("this is no page file\n", f);
    std::fclose(f);
    r = folder.run({"make", bad, "-o", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad.wfn"), std::string::npos) << r.err;

    r = folder.run({"make", bad, "-o", folder.file("wrong.dat")});
    EXPECT_EQ(r.exitCode, 1); // the page file fails first

    EXPECT_EQ(ReadFile(out), "old\n");
    // No temporary file is left beside the output.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        entries += e.path().filename().string().find("~part") != std::string::npos;
    EXPECT_EQ(entries, 0);
}
