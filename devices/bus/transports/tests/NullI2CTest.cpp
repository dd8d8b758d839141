#include "NullI2C.h"

#include <gtest/gtest.h>

#include <functional>

TEST(NullI2C, BusAndGpioOperationsAreNotImplementedAndTheRestSucceedsQuietly)
{
    struct Case
    {
        const char* name;
        std::function<HRESULT(CI2CAccess&)> call;
        HRESULT expected;
    };
    BYTE b = 0x77;
    BYTE buf[2] = {0xC0, 0x01};
    DWORD d = 0x77;
    const Case cases[] = {
        {"SendBusControl", [](CI2CAccess& t) { return t.SendBusControl(1); }, E_NOTIMPL},
        {"ReadByte", [&](CI2CAccess& t) { return t.ReadByte(0xA0, 0x20, &b); }, E_NOTIMPL},
        {"WriteByte", [](CI2CAccess& t) { return t.WriteByte(0xA0, 0x20, 1); }, E_NOTIMPL},
        {"Read", [&](CI2CAccess& t) { return t.Read(buf, 2); }, E_NOTIMPL},
        {"Write", [&](CI2CAccess& t) { return t.Write(buf, 2); }, E_NOTIMPL},
        {"SendDeviceControl", [](CI2CAccess& t) { return t.SendDeviceControl(1); }, E_NOTIMPL},
        {"ReadGpio", [&](CI2CAccess& t) { return t.ReadGpio(&d); }, E_NOTIMPL},
        {"WriteGpio", [](CI2CAccess& t) { return t.WriteGpio(1, 1); }, E_NOTIMPL},
        {"WriteGpioTimed", [](CI2CAccess& t) { return t.WriteGpioTimed(1, 1, 1); }, E_NOTIMPL},
        {"SetProperty7", [](CI2CAccess& t) { return t.SetProperty7(1); }, S_OK},
        {"SetProperty8", [](CI2CAccess& t) { return t.SetProperty8(1); }, S_OK},
        {"SendProperty9", [](CI2CAccess& t) { return t.SendProperty9(); }, S_OK},
        {"SetProperty10", [](CI2CAccess& t) { return t.SetProperty10(1); }, S_OK},
        {"SetControlLine", [](CI2CAccess& t) { return t.SetControlLine(1); }, E_NOTIMPL},
        {"WriteRegByte", [](CI2CAccess& t) { return t.WriteRegByte(1, 1); }, E_NOTIMPL},
        {"ReadRegByte", [&](CI2CAccess& t) { return t.ReadRegByte(1, &b); }, E_NOTIMPL},
        {"SetControlLine2", [](CI2CAccess& t) { return t.SetControlLine2(1); }, S_OK},
    };
    CNullI2C bus;
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.call(bus)) << c.name;
    EXPECT_EQ(0x77, b);
    EXPECT_EQ(0x77u, d);
    EXPECT_EQ(0xC0, buf[0]);
}

TEST(NullI2C, AttachSucceedsOnceAnOwnerIsKept)
{
    int owner = 0;
    int other = 0;
    CNullI2C bus;
    EXPECT_EQ(E_FAIL, bus.Attach(NULL, NULL));
    EXPECT_EQ(S_OK, bus.Attach(NULL, &owner));
    EXPECT_EQ(S_OK, bus.Attach(NULL, NULL));
    EXPECT_EQ(S_OK, bus.Attach(NULL, &other));
}
