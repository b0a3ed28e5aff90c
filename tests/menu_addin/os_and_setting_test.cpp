// The platform classification and the two options the add-in reads.
#include "tests/menu_addin/addin_fixture.h"

#include "menu_addin/os_version.h"

using namespace menu_addin_test;
using menu_addin::OsVersion;

namespace {

TEST(OsClassification, PlatformAndVersionGiveTheCode)
{
    struct Case
    {
        OsVersion version;
        std::int32_t code;
    };
    const Case cases[] = {
        {{1, 4, 0}, 0},         {{1, 4, 10}, 1},       {{1, 4, 90}, 2},
        {{1, 4, 3}, 3},         {{2, 3, 51}, 4},       {{2, 4, 0}, 4},
        {{2, 5, 0}, 5},         {{2, 5, 1}, 6},        {{2, 5, 2}, 13},
        {{2, 6, 2, 6, 0}, 7},   {{2, 6, 2, 6, 1}, 8},  {{2, 6, 2, 6, 2}, 9},
        {{2, 6, 2, 6, 3}, 10},  {{2, 6, 2, 6, 4}, 11}, {{2, 6, 2, 10, 0}, 12},
        {{2, 6, 2, 10, 1}, 13}, {{2, 6, 2, 6, 5}, 13}, {{2, 6, 2, 11, 0}, 13},
        {{0, 6, 8}, 0},         {{3, 10, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.version.platformId << " " << c.version.major << "." << c.version.minor
                     << " kernel " << c.version.kernelMajor << "." << c.version.kernelMinor);
        EXPECT_EQ(menu_addin::classifyOs(c.version), c.code);
    }
    EXPECT_EQ(menu_addin::classifyOs(std::nullopt), 0);
    // This platform is of neither line, and so never refused.
    EXPECT_EQ(menu_addin::F_GetOS(), 0);
}

TEST(AddinSetting, TextsReadAsBooleansAndMissingKeysTakeTheDefaults)
{
    struct Case
    {
        const char* text;
        bool value;
    };
    const Case cases[] = {{"True", true},   {"true", true}, {"TRUE", true}, {"False", false},
                          {"false", false}, {"1", true},    {"-1", true},   {"0", false},
                          {"", false},      {"yes", false}, {"on", false}};
    for (const Case& c : cases)
        EXPECT_EQ(menu_addin::c_Setting::readBoolean(q(c.text)), c.value) << c.text;

    QTemporaryDir dir;
    const menu_addin::c_Setting defaults(dir.path());
    EXPECT_FALSE(defaults.DefaultCommandHookOn());
    EXPECT_TRUE(defaults.ReTrimmingAdd());
    platform::SettingsStore store(dir.path());
    store.setValue(q("setting"), q("DefaultCommandHookOn"), q("True"));
    store.setValue(q("setting"), q("ReTrimmingAdd"), q("nonsense"));
    store.save();
    const menu_addin::c_Setting stored(dir.path());
    EXPECT_TRUE(stored.DefaultCommandHookOn());
    EXPECT_FALSE(stored.ReTrimmingAdd());
}

} // namespace
