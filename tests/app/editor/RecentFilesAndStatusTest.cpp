// The recent files across restarts of the settings store, and the status
// line's statistics over a known stretch.
#include "CurrentSetting.h"
#include "EditSession.h"
#include "RecentFiles.h"
#include "StatusLine.h"
#include "clsRegistry.h"
#include "zwplatform.hpp"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(RecentFiles, NewestFirstWithoutRepeatsAtMostEightAndStillThereAfterARestart) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath("ZW4410.ini");
    {
        zw::clsRegistry registry(ini);
        zw::RecentFiles recent(registry);
        EXPECT_TRUE(recent.files().isEmpty());
        for (int i = 1; i <= 10; ++i)
            recent.add(QString("/data/wave%1.wdb").arg(i));
        recent.add("/data/wave5.wdb"); // again: to the front, once
        recent.add(QString());         // nothing to remember
    }
    zw::clsRegistry registry(ini); // the next start
    zw::RecentFiles recent(registry);
    const QStringList expected{"/data/wave5.wdb", "/data/wave10.wdb", "/data/wave9.wdb",
                               "/data/wave8.wdb", "/data/wave7.wdb",  "/data/wave6.wdb",
                               "/data/wave4.wdb", "/data/wave3.wdb"};
    EXPECT_EQ(recent.files(), expected);
    recent.remove("/data/wave9.wdb");
    EXPECT_EQ(recent.files().size(), 7);
    EXPECT_FALSE(recent.files().contains("/data/wave9.wdb"));
    recent.add("/data/Ünïcode name, with = signs.txt");
    EXPECT_EQ(zw::RecentFiles(registry).files().front(), "/data/Ünïcode name, with = signs.txt");
}

class Status : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        registry = std::make_unique<zw::clsRegistry>(dir.filePath("ZW4410.ini"));
        ASSERT_TRUE(doc.allocate());
        doc.setWaveLength(1000);
        session = std::make_unique<zw::EditSession>(doc, setting, *registry);
        ASSERT_EQ(session->startUp(QString()), 0);
        zw::LockedBlock<int16_t> block(doc.current());
        for (int i = 0; i < 1000; ++i)
            block[i] = static_cast<int16_t>((i % 2 == 0 ? 1 : -1) * i); // 0 -1 2 -3 ...
    }
    QTemporaryDir dir;
    std::unique_ptr<zw::clsRegistry> registry;
    zw::CurrentSetting setting;
    zw::WaveDocument doc;
    std::unique_ptr<zw::EditSession> session;
};

TEST_F(Status, StatisticsOfTheMarkedStretch) {
    session->setMarkers({10, 14}); // samples 10, 11, 12, 13 = 10, -11, 12, -13
    const auto s = zw::MarkedStatistics(*session);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->count, 4);
    EXPECT_EQ(s->minimum, -13);
    EXPECT_EQ(s->maximum, 12);
    EXPECT_DOUBLE_EQ(s->mean, -0.5);

    session->setMarkers({998.5, 1000}); // the last sample only (ceil of A)
    const auto last = zw::MarkedStatistics(*session);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->count, 1);
    EXPECT_EQ(last->minimum, -999);

    session->setMarkers({500, 500});
    EXPECT_FALSE(zw::MarkedStatistics(*session));
    EXPECT_TRUE(zw::StatusLine(*session).minimum.isEmpty());
    EXPECT_EQ(zw::StatusLine(*session).memory, "1000");
}

} // namespace
