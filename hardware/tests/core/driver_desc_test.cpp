// Finding the driver's device name from the driver's registry data, against
// a registry kept in memory.
#include "DriverDesc.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace chipaccess {
namespace {

class MemoryRegistry : public IDriverRegistry {
public:
    bool hasDriverKey = true;
    uint32_t count = 0;
    std::map<std::string, std::string> values;               // value name -> text
    std::map<std::string, std::optional<std::string>> keys;  // key path -> DriverDesc
    std::vector<std::string> opened;

    bool OpenDriverKey() override { return hasDriverKey; }
    uint32_t InstanceCount() override { return count; }
    std::string InstanceValue(const std::string& name) override {
        const auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
    std::optional<std::string> ReadDriverDesc(const std::string& keyPath) override {
        opened.push_back(keyPath);
        const auto it = keys.find(keyPath);
        if (it == keys.end()) return std::nullopt;
        return it->second ? *it->second : std::string();
    }
};

const char kPath1[] = "\\Registry\\MACHINE\\SYSTEM\\ControlSet001\\Control\\Class\\{6BDD1FC6}\\0000\\Settings";
const char kKey1[] = "SYSTEM\\ControlSet001\\Control\\Class\\{6BDD1FC6}\\0000";

TEST(DriverDescPaths, ValueNamesHaveFourDigitsAndPathsAreCutToTheMachineKey) {
    EXPECT_EQ("ii0001", InstanceValueName(1));
    EXPECT_EQ("ii0042", InstanceValueName(42));
    EXPECT_EQ("ii9999", InstanceValueName(9999));

    EXPECT_EQ(kKey1, InstanceKeyPath(kPath1));
    EXPECT_EQ("SOFTWARE\\A", InstanceKeyPath("junk\\Registry\\MACHINE\\SOFTWARE\\A\\Settings\\More"));
    EXPECT_EQ("SOFTWARE\\A", InstanceKeyPath("\\Registry\\MACHINE\\SOFTWARE\\A"));
    // Without the machine prefix the whole text is the path, "\Settings" and all.
    EXPECT_EQ("SOFTWARE\\A\\Settings", InstanceKeyPath("SOFTWARE\\A\\Settings"));
    // Only a "\Settings" after the prefix cuts.
    EXPECT_EQ("X", InstanceKeyPath("\\Settings\\Registry\\MACHINE\\X"));
}

TEST(DriverDescLookup, TheLastListedInstanceWinsAndEmptyValuesAreSkipped) {
    MemoryRegistry registry;
    registry.count = 3;
    registry.values["ii0001"] = kPath1;
    registry.values["ii0003"] = "\\Registry\\MACHINE\\SOFTWARE\\Second\\Settings";
    registry.keys[kKey1] = std::string("First Camera");
    registry.keys["SOFTWARE\\Second"] = std::string("Second Camera");
    EXPECT_EQ(std::optional<std::string>("Second Camera"), FindDriverDesc(registry));
    EXPECT_EQ((std::vector<std::string>{kKey1, "SOFTWARE\\Second"}), registry.opened);
}

TEST(DriverDescLookup, MissingKeysFailAndNoInstancesGiveAnEmptyName) {
    MemoryRegistry noDriver;
    noDriver.hasDriverKey = false;
    EXPECT_EQ(std::nullopt, FindDriverDesc(noDriver));

    MemoryRegistry none;
    none.values["ii0001"] = kPath1;  // listed, but the count says none
    EXPECT_EQ(std::optional<std::string>(""), FindDriverDesc(none));
    EXPECT_TRUE(none.opened.empty());

    MemoryRegistry unreadable;
    unreadable.count = 2;
    unreadable.values["ii0001"] = kPath1;
    unreadable.values["ii0002"] = "\\Registry\\MACHINE\\SOFTWARE\\Gone\\Settings";
    unreadable.keys[kKey1] = std::string("First Camera");
    EXPECT_EQ(std::nullopt, FindDriverDesc(unreadable));

    MemoryRegistry noValue;
    noValue.count = 1;
    noValue.values["ii0001"] = kPath1;
    noValue.keys[kKey1] = std::nullopt;
    EXPECT_EQ(std::optional<std::string>(""), FindDriverDesc(noValue));
}

TEST(DriverDescLookup, TextsAreCutToTheirBuffersAndHugeCountsAreBounded) {
    MemoryRegistry registry;
    registry.count = 1;
    const std::string longKey = "SOFTWARE\\" + std::string(118, 'k');  // 127 bytes: fits
    registry.values["ii0001"] = "\\Registry\\MACHINE\\" + longKey + "\\Settings";
    registry.keys[longKey] = std::string(200, 'd');
    EXPECT_EQ(std::optional<std::string>(std::string(127, 'd')), FindDriverDesc(registry));

    registry.values["ii0001"] = "\\Registry\\MACHINE\\" + longKey + "k\\Settings";
    EXPECT_EQ(std::nullopt, FindDriverDesc(registry)) << "a 128-byte path has no room to end";

    MemoryRegistry huge;
    huge.count = 0xFFFFFFFFu;
    huge.values["ii9999"] = "\\Registry\\MACHINE\\SOFTWARE\\Last";
    huge.keys["SOFTWARE\\Last"] = std::string("Last");
    EXPECT_EQ(std::optional<std::string>("Last"), FindDriverDesc(huge));
}

TEST(DriverDescMatching, NamesCompareExactlyWithinTheirBuffers) {
    EXPECT_TRUE(NameMatchesDriverDesc("USB PC Camera", "USB PC Camera"));
    EXPECT_FALSE(NameMatchesDriverDesc("USB PC camera", "USB PC Camera"));
    EXPECT_FALSE(NameMatchesDriverDesc("USB PC Camera ", "USB PC Camera"));
    EXPECT_FALSE(NameMatchesDriverDesc("", ""));
    // The friendly name is cut to 79 bytes before it is compared.
    const std::string name(100, 'n');
    EXPECT_TRUE(NameMatchesDriverDesc(name, std::string(79, 'n')));
    EXPECT_FALSE(NameMatchesDriverDesc(name, name));
}

}  // namespace
}  // namespace chipaccess
