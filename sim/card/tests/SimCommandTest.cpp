#include "SimCardFixture.h"

#include "CSimCommandInterpreter.h"
#include "CSimText.h"

#include <map>

namespace
{
// Instance values in memory, as the registry keeps them: by name and type.
class MemoryValues : public ISimValues
{
public:
    bool GetDword(const char* name, DWORD* value) override
    {
        auto it = dwords.find(name);
        if (it == dwords.end())
            return false;
        *value = it->second;
        return true;
    }
    bool GetString(const char* name, std::string* value) override
    {
        auto it = strings.find(name);
        if (it == strings.end())
            return false;
        *value = it->second;
        return true;
    }
    bool GetBinary(const char* name, std::vector<BYTE>* value) override
    {
        auto it = binaries.find(name);
        if (it == binaries.end())
            return false;
        *value = it->second;
        return true;
    }
    bool SetDword(const char* name, DWORD value) override
    {
        dwords[name] = value;
        return true;
    }
    bool SetString(const char* name, const std::string& value) override
    {
        strings[name] = value;
        return true;
    }
    bool SetBinary(const char* name, const BYTE* data, DWORD size) override
    {
        binaries[name].assign(data, data + size);
        return true;
    }

    std::map<std::string, DWORD> dwords;
    std::map<std::string, std::string> strings;
    std::map<std::string, std::vector<BYTE>> binaries;
};
}

class SimCommandTest : public SimCardFixture
{
protected:
    HRESULT Run(const char* command, CSimCard* live)
    {
        CSimCommandInterpreter interpreter(0, live, values);
        return interpreter.Execute(command, &answer);
    }
    HRESULT Run(const char* command) { return Run(command, card.get()); }

    MemoryValues values;
    std::string answer;
};

TEST_F(SimCommandTest, MalformedCommandsAreSyntaxErrors)
{
    const char* const commands[] = {
        "", "tune 49750", "tv", "tv 49750:A x:B", "profile", "profile x", "pll", "pll 1C0", "demod maybe",
        "signal tuner on", "signal composite dim", "mcu sometimes", "set Unknown 1", "set PllLockMs x",
        "eeprom 20", "eeprom 100 = 01", "eeprom FF = 01 02", "eeprom 20 0", "key", "key 1C3", "fail 11 0x80004005",
        "fail 4 0", "nack C0", "trace", "trace level 3", "trace wait 1", "profiledef if=38900", "state now",
        "ack 1C0",
    };
    for (const char* command : commands)
        EXPECT_EQ(E_INVALIDARG, Run(command)) << command;
}

TEST_F(SimCommandTest, ConfigurationChangesTheCardAndItsInstanceValues)
{
    ASSERT_EQ(S_OK, Run("tv 471250:B"));
    EXPECT_EQ("471250:B", values.strings["TvStations"]);
    Tune({ 0xC0, 0x05, 0x8A, 0xCE, 0xA0 });
    EXPECT_EQ(0x40, bus.Status(0xC1));
    ASSERT_EQ(S_OK, Run("tv 49750"));
    EXPECT_EQ("49750:49750", values.strings["TvStations"]);
    EXPECT_EQ(0x42, bus.Status(0xC1));

    ASSERT_EQ(S_OK, Run("set AfcWindowKHz 10"));
    EXPECT_EQ(10u, values.dwords["AfcWindowKHz"]);
    ASSERT_EQ(S_OK, Run("tv -"));
    EXPECT_EQ("", values.strings["TvStations"]);
    EXPECT_EQ(0x40, bus.Status(0xC1));

    ASSERT_EQ(S_OK, Run("pll C2"));
    EXPECT_EQ(0xC2u, values.dwords["PllAddr"]);
    std::vector<BYTE> bytes;
    EXPECT_EQ((HRESULT)0x8007045D, bus.Read(0xC1, 1, &bytes));
    ASSERT_EQ(S_OK, Run("demod on"));
    EXPECT_EQ(S_OK, bus.Read(0x87, 1, &bytes));
    ASSERT_EQ(S_OK, Run("ack 96 B6"));
    EXPECT_EQ("96 B6", values.strings["ExtraAck"]);
    EXPECT_EQ(S_OK, bus.Read(0x97, 1, &bytes));
    ASSERT_EQ(S_OK, Run("signal composite off"));
    EXPECT_EQ(0u, values.dwords["Composite"]);
}

TEST_F(SimCommandTest, ConfigurationWithoutALiveCardOnlyStoresValues)
{
    ASSERT_EQ(S_OK, Run("fm 90000:FM-1", nullptr));
    EXPECT_EQ("90000:FM-1", values.strings["FmStations"]);
    ASSERT_EQ(S_OK, Run("eeprom 21 = 5C", nullptr));
    ASSERT_EQ(256u, values.binaries["Eeprom"].size());
    EXPECT_EQ(0x5C, values.binaries["Eeprom"][0x21]);
    EXPECT_EQ('T', values.binaries["Eeprom"][0x20]);
    for (const char* command : { "state", "key C3", "mcu", "eeprom 20 2", "trace mark", "trace 1", "reset",
                                 "persist", "nack C0 on", "fail 4 0x80004005" })
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), Run(command, nullptr)) << command;
}

TEST_F(SimCommandTest, EepromWritesReachTheLiveImage)
{
    ASSERT_EQ(S_OK, Run("eeprom 20 = 41 5C"));
    ASSERT_EQ(S_OK, Run("eeprom 20 2"));
    EXPECT_EQ("41 5C\n", answer);
    BYTE type = 0;
    ASSERT_EQ(S_OK, bus.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(0x5C, type);
}

TEST_F(SimCommandTest, ProfileDefinitionAndChoice)
{
    ASSERT_EQ(S_OK, Run("profiledef id=93 if=38900 split=160000,442000 bands=01,02,04 cb=CE fm=- codes=4,2,3,1,0 "
                        "fmlock=4 demod=1"));
    ASSERT_EQ(S_OK, Run("profile 93"));
    EXPECT_EQ(93u, values.dwords["Profile"]);
    EXPECT_NE(std::string::npos, values.strings["ProfileDefs"].find("id=93"));
    Tune({ 0xC0, 0x1F, 0xE2, 0xCE, 0x04 });
    EXPECT_EQ(0x43, bus.Status(0xC1));
    ASSERT_EQ(S_OK, Run("profile eeprom"));
    EXPECT_EQ(0u, values.dwords["Profile"]);
    // The bytes written for type 93 are no tuning write for type 11.
    EXPECT_EQ(0x00, bus.Status(0xC1));
}

TEST_F(SimCommandTest, RuntimeCommandsAnswerInKeyValueLines)
{
    ASSERT_EQ(S_OK, Run("mcu"));
    EXPECT_EQ("word=0x0000\nenabled=0\npresent=1\nframes=0\n", answer);

    Tune({ 0xC0, 0x1F, 0xE2, 0xCE, 0x30 });
    ASSERT_EQ(S_OK, Run("state"));
    for (const char* line : { "profile=11\n", "mode=TV\n", "N=8162\n", "t=471225\n", "locked=1\n", "station=B\n",
                              "d=+25\n", "hlock=1\n", "video_route=1\n", "gpio_view=00008E00\n" })
        EXPECT_NE(std::string::npos, answer.find(line)) << line;

    ASSERT_EQ(S_OK, Run("trace mark"));
    DWORD mark = strtoul(answer.c_str() + 4, nullptr, 10);
    ASSERT_EQ(S_OK, Run("key C3 300"));
    ASSERT_EQ(S_OK, Run(CSimText::Format("trace wait %lu 0 K C3", mark).c_str()));
    EXPECT_EQ(CSimText::Format("seq=%lu\n", mark), answer);
    EXPECT_EQ(HRESULT_FROM_WIN32(WAIT_TIMEOUT), Run(CSimText::Format("trace wait %lu 0 K D4", mark).c_str()));
    ASSERT_EQ(S_OK, Run(CSimText::Format("trace %lu", mark).c_str()));
    EXPECT_EQ(CSimText::Format("%lu=K C3 start\n", mark), answer);

    ASSERT_EQ(S_OK, Run("fail 4 0x80004005 2"));
    DWORD value = 0;
    EXPECT_EQ(E_FAIL, bus.ReadGpio(0x0FFFFFFF, &value));
    ASSERT_EQ(S_OK, Run("nack A0 on"));
    BYTE type = 0;
    EXPECT_EQ((HRESULT)0x8007045D, bus.ReadByte(0xA0, 0x21, &type));
}

TEST_F(SimCommandTest, PersistStoresTheLiveCardAndResetReloadsIt)
{
    ASSERT_EQ(S_OK, bus.WriteByte(0xA0, 0x21, 0x5C));
    ASSERT_EQ(S_OK, Run("persist"));
    EXPECT_EQ(0x5C, values.binaries["Eeprom"][0x21]);
    EXPECT_EQ("49750:A;471250:B", values.strings["TvStations"]);
    EXPECT_EQ(2500u, values.dwords["AfcWindowKHz"]);

    values.dwords["AfcWindowKHz"] = 10;
    ASSERT_EQ(S_OK, bus.WriteByte(0xA0, 0x21, 0x0B));
    ASSERT_EQ(S_OK, Run("reset"));
    BYTE type = 0;
    ASSERT_EQ(S_OK, bus.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(0x5C, type);
    SimConfig config;
    ASSERT_EQ(S_OK, card->GetConfig(&config));
    EXPECT_EQ(10u, config.afcWindowKHz);
}
