// The engine table: every slot is found by its own exact name, a missing
// name leaves only its slot empty, and each name is one the engine exports.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>

#include "EngineApi.h"

using namespace vimbrel::controller;

namespace {

void Marker() {}

TEST(EngineApi, EachSlotGetsTheAddressOfItsOwnNameAndMissingNamesStayNull) {
    // Every name resolves to a distinct fake address, except two.
    std::map<std::string, std::uintptr_t> addresses;
    std::uintptr_t next = 0x1000;
    for (const char* name : kEngineExportNames) addresses[name] = next += 0x10;
    addresses.erase("SetFace");
    addresses.erase("GetSupportedAudioBitrate");
    std::vector<std::string> asked;
    EngineApi api;
    int found = BindEngineExports(api, [&](const char* name) -> void* {
        asked.push_back(name);
        auto it = addresses.find(name);
        return it == addresses.end() ? nullptr : reinterpret_cast<void*>(it->second);
    });
    EXPECT_EQ(found, 50);
    EXPECT_EQ(CountBoundSlots(api), 50);
    EXPECT_EQ(api.SetFace, nullptr);
    EXPECT_EQ(api.GetSupportedAudioBitrate, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(api.Initialize), addresses["Initialize"]);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(api.Uninitialize), addresses["Uninitialize"]);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(api.GetVideoQuality), addresses["GetVideoQuality"]);
    // Asked in slot order, each name once: first and last of the table.
    ASSERT_EQ(asked.size(), 52u);
    EXPECT_EQ(asked.front(), "GetVideoQuality");
    EXPECT_EQ(asked[8], "Initialize");
    EXPECT_EQ(asked.back(), "SetFace");
    EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), 52u);
}

TEST(EngineApi, NoResolverOrALibraryWithoutNamesLeavesEverySlotEmpty) {
    EngineApi api;
    api.SetMode = reinterpret_cast<decltype(api.SetMode)>(&Marker);
    EXPECT_EQ(BindEngineExports(api, [](const char*) -> void* { return nullptr; }), 0);
    EXPECT_EQ(api.SetMode, nullptr);  // a rebind clears what an old library left
    EXPECT_EQ(BindEngineExports(api, ExportResolver()), 0);
    EXPECT_EQ(CountBoundSlots(api), 0);
}

#ifdef VIMBREL_ENGINE_DEF
TEST(EngineApi, EveryBoundNameIsExportedByTheCaptureEngine) {
    std::ifstream def(VIMBREL_ENGINE_DEF);
    ASSERT_TRUE(def.good());
    std::set<std::string> exported;
    std::string word;
    while (def >> word) exported.insert(word);
    for (const char* name : kEngineExportNames) EXPECT_TRUE(exported.count(name)) << name;
    // The eleven the program leaves alone.
    int unbound = 0;
    for (const char* name :
         {"SelectVideoDeviceByName", "SelectAudioDeviceByName", "GetGraphStatus", "GetCameraControlRange",
          "GetCameraControl", "SetCameraControl", "GetCurrentAudioBitrate", "GetCurrentVideoBitrate",
          "GetAudioFileFormat", "GetVideoFileFormat", "GetImageFileFormat"}) {
        unbound += exported.count(name) ? 1 : 0;
        for (const char* bound : kEngineExportNames) EXPECT_STRNE(bound, name);
    }
    EXPECT_EQ(unbound, 11);
}
#endif

}  // namespace
