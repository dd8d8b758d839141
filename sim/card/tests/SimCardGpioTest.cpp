#include "SimCardFixture.h"

class SimCardGpioTest : public SimCardFixture
{
protected:
    DWORD View()
    {
        DWORD value = 0;
        EXPECT_EQ(S_OK, bus.ReadGpio(0x0FFFFFFF, &value));
        return value;
    }

    // A write as the 2388x_1 access object sends it: the audio bits always in the mask.
    void Write(DWORD mask, DWORD value) { ASSERT_EQ(S_OK, bus.WriteGpio(mask, value)); }

    // One controller frame as the host frames it: idle, the word, idle.
    void Frame(DWORD word)
    {
        Write(0x0000F600, 0x00008600);
        Write(0x00FFF600, word);
        Write(0x0000F600, 0x00008600);
    }
};

TEST_F(SimCardGpioTest, PowerUpViewIsIdle)
{
    EXPECT_EQ(0x00008E00u, View());
}

TEST_F(SimCardGpioTest, WritesLandUnderTheirMaskAndReadBackUnderTheReadMask)
{
    Write(0x00FF0000, 0xFFAB0000);
    DWORD value = 0;
    ASSERT_EQ(S_OK, bus.ReadGpio(0x00FF0000, &value));
    EXPECT_EQ(0x00AB0000u, value);
    // Bits 28-31 are outside the mask the card accepts; bit 11 belongs to the controller.
    Write(0xF0000801, 0xF0000001);
    EXPECT_EQ(0x00AB8E01u, View());
}

TEST_F(SimCardGpioTest, AudioInputBitsAreTraced)
{
    DWORD mark = Mark();
    Write(0x00007000, 0x00009E00);
    EXPECT_EQ(0x00009E00u, View());
    EXPECT_TRUE(Traced(mark, "S4 m=00007000 v=00009E00 latch=00009600"));
    EXPECT_TRUE(Traced(mark, "A in=1 mute=0 mux_off=0"));
}

TEST_F(SimCardGpioTest, RegistersReachTheGpioWordThroughTheOutputEnableMask)
{
    ASSERT_EQ(S_OK, bus.SetRegister(0x1B0, 0x00003000));
    ASSERT_EQ(S_OK, bus.SetRegister(0x1B0, 0x80003000));
    ASSERT_EQ(S_OK, bus.SetRegister(0x1B4, 0x00FF2000));
    DWORD value = 0;
    ASSERT_EQ(S_OK, bus.GetRegister(0x1B4, &value));
    EXPECT_EQ(0x0000AE00u, value);
    ASSERT_EQ(S_OK, bus.GetRegister(0x1B0, &value));
    EXPECT_EQ(0x80003000u, value);
    ASSERT_EQ(S_OK, bus.SetRegister(0x200, 0x12345678));
    ASSERT_EQ(S_OK, bus.GetRegister(0x200, &value));
    EXPECT_EQ(0x12345678u, value);
    ASSERT_EQ(S_OK, bus.GetRegister(0x204, &value));
    EXPECT_EQ(0u, value);
}

TEST_F(SimCardGpioTest, KeyIsPresentedUntilHeldAndReadThenKeepsItsData)
{
    DWORD mark = Mark();
    ASSERT_EQ(S_OK, card->QueueKey(0xC3, 0));
    EXPECT_TRUE(Traced(mark, "K C3 start"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(0x003C8600u, View());
    clock.AdvanceMs(149);
    EXPECT_EQ(0x003C8600u, View());
    clock.AdvanceMs(1);
    EXPECT_EQ(0x003C8E00u, View());
    EXPECT_TRUE(Traced(mark, "K C3 release reads=4"));
}

TEST_F(SimCardGpioTest, HeldKeyWaitsForThreeReads)
{
    ASSERT_EQ(S_OK, card->QueueKey(0xC3, 0));
    clock.AdvanceMs(500);
    EXPECT_EQ(0x003C8600u, View());
    EXPECT_EQ(0x003C8600u, View());
    EXPECT_EQ(0x003C8600u, View());
    EXPECT_EQ(0x003C8E00u, View());
}

TEST_F(SimCardGpioTest, UnreadKeyIsDroppedAndTheNextFollowsAfterAGap)
{
    DWORD mark = Mark();
    ASSERT_EQ(S_OK, card->QueueKey(0x12, 0));
    ASSERT_EQ(S_OK, card->QueueKey(0x34, 0));
    clock.AdvanceMs(900);
    EXPECT_EQ(0x00ED8E00u, View());
    EXPECT_TRUE(Traced(mark, "K 12 dropped"));
    clock.AdvanceMs(200);
    EXPECT_EQ(0x00CB8600u, View());
    EXPECT_TRUE(Traced(mark, "K 34 start"));
}

TEST_F(SimCardGpioTest, KeysWaitForTheControllerToBeQuiet)
{
    Frame(0x00120400);
    ASSERT_EQ(S_OK, card->QueueKey(0xC3, 0));
    clock.AdvanceMs(299);
    EXPECT_EQ(0x00008E00u, View() & 0x0000FF00u);
    clock.AdvanceMs(1);
    EXPECT_EQ(0x003C8600u, View());
}

TEST_F(SimCardGpioTest, FrameDuringAKeyPutsItBack)
{
    ASSERT_EQ(S_OK, card->QueueKey(0xC3, 0));
    DWORD mark = Mark();
    Write(0x0000F600, 0x00008600);
    Write(0x00FFF600, 0x00120400);
    EXPECT_TRUE(Traced(mark, "K C3 requeued"));
    EXPECT_EQ(0x00120C00u, View());
    Write(0x0000F600, 0x00008600);
    clock.AdvanceMs(300);
    EXPECT_EQ(0x003C8600u, View());
}

// WriteMcuWord(0x1234) and its read-back, frame by frame.
TEST_F(SimCardGpioTest, ControllerStoresTheWordAndAnswersWithStrobedPulses)
{
    DWORD mark = Mark();
    Frame(0x00120400);
    EXPECT_TRUE(Traced(mark, "S4 m=00FFF600 v=00120400 latch=00120400"));
    EXPECT_TRUE(Traced(mark, "M open 400:12"));
    EXPECT_TRUE(Traced(mark, "M hi=12"));
    Frame(0x00340200);
    EXPECT_TRUE(Traced(mark, "M lo=34 word=1234"));

    Frame(0x00010600);
    EXPECT_TRUE(Traced(mark, "M cmd 01 -> 400:12"));
    EXPECT_EQ(0x00128400u, View());
    clock.AdvanceMs(20);
    EXPECT_EQ(0x00128E00u, View());
    EXPECT_TRUE(Traced(mark, "M pulse end reads=1"));

    Frame(0x00100600);
    EXPECT_EQ(0x00348200u, View());

    std::string mcu;
    ASSERT_EQ(S_OK, card->DescribeMcu(&mcu));
    EXPECT_EQ("word=0x1234\nenabled=0\npresent=1\nframes=4\n", mcu);
}

TEST_F(SimCardGpioTest, AnswerWaitsForARead)
{
    Frame(0x00330600);
    clock.AdvanceMs(100);
    EXPECT_EQ(0x00CA8000u, View());
    EXPECT_EQ(0x00CA8E00u, View());
}

TEST_F(SimCardGpioTest, AnswerEndsUnreadAfterItsLongestTime)
{
    Frame(0x00110600);
    clock.AdvanceMs(400);
    EXPECT_EQ(0x00BA8E00u, View());
}

TEST_F(SimCardGpioTest, HandshakeSwitchesThePowerOnFlag)
{
    DWORD mark = Mark();
    Frame(0x00330600);
    EXPECT_TRUE(Traced(mark, "M cmd 33 -> CA enabled=1"));
    EXPECT_EQ(0x00CA8000u, View());
    clock.AdvanceMs(20);
    View();
    Frame(0x00110600);
    EXPECT_TRUE(Traced(mark, "M cmd 11 -> BA enabled=0"));
    EXPECT_EQ(0x00BA8000u, View());
}

TEST_F(SimCardGpioTest, UnknownCommandsAndAbsentControllerGiveNoAnswer)
{
    DWORD mark = Mark();
    Frame(0x00550600);
    EXPECT_TRUE(Traced(mark, "M unknown 55"));
    EXPECT_EQ(0x00008E00u, View() & 0x0000FF00u);

    Make([](SimConfig& c) { c.mcuPresent = 0; });
    mark = Mark();
    Frame(0x00330600);
    EXPECT_TRUE(Traced(mark, "M absent 600:33"));
    EXPECT_EQ(0x00008E00u, View() & 0x0000FF00u);
}

TEST_F(SimCardGpioTest, The713xLayoutCarriesTheByteOnTwoRunsOfLines)
{
    Make([](SimConfig& c) { c.family = SIM_FAMILY_DORIN; });
    // ~0xC3 = 0x3C: bits 0-4 on lines 19-23, bits 5-7 on lines 25-27.
    ASSERT_EQ(S_OK, card->QueueKey(0xC3, 0));
    EXPECT_EQ(0x02E08600u, View());
    clock.AdvanceMs(1000);
    View();
    EXPECT_EQ(0x00008E00u, View() & ~0x0EF80000u);

    // High byte 0xA5 as a 713x frame; a frame with the byte on lines 16-23 opens nothing here.
    Write(0x00008600, 0x00008600);
    Write(0x0EF88600, 0x0A280400);
    Write(0x00008600, 0x00008600);
    Frame(0x00120200);
    std::string mcu;
    ASSERT_EQ(S_OK, card->DescribeMcu(&mcu));
    EXPECT_NE(std::string::npos, mcu.find("word=0xA500")) << mcu;

    // Read-high (0x01 packed to line 19) answers the byte in the same layout.
    Write(0x00008600, 0x00008600);
    Write(0x0EF88600, 0x00080600);
    Write(0x00008600, 0x00008600);
    EXPECT_EQ(0x0A280400u, View() & 0x0EF80E00u);
}
