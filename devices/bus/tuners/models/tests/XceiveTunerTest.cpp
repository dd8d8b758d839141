#include <gtest/gtest.h>

#include "ChipBusRecorder.h"
#include "FakeSignalLock.h"
#include "NullI2C.h"
#include "TunerXCEIVE2028.h"
#include "TunerXCEIVE3028.h"
#include "TunerXCEIVE3028AF.h"
#include "TunerXCEIVE3028SIF.h"
#include "XceiveChip.h"

#include <strmif.h>

#include <memory>
#include <string>

namespace {

typedef ChipBusRecorder::Lines Lines;

// An owner device whose transport is open in the given access mode.
class ModeDevice : public FakeSignalDevice
{
public:
    explicit ModeDevice(int mode) { SetAccess(new CNullI2C, mode); }
};

enum Model { k2028, k3028, k3028AF, k3028SIF };

std::unique_ptr<CTunerModel> MakeModel(Model model, CI2CAccess* access)
{
    switch (model) {
    case k2028: return std::unique_ptr<CTunerModel>(new CTunerXCEIVE2028(access));
    case k3028: return std::unique_ptr<CTunerModel>(new CTunerXCEIVE3028(access));
    case k3028AF: return std::unique_ptr<CTunerModel>(new CTunerXCEIVE3028AF(access));
    default: return std::unique_ptr<CTunerModel>(new CTunerXCEIVE3028SIF(access));
    }
}

// One model in one access mode of its owner.
struct ModelSetup
{
    const char* name;
    Model model;
    int mode;
};

const XceiveDrive kAddressed = {XceiveDrive::kAddressed, 10, XceiveDrive::kGpioStrobe, XceiveDrive::kFirstPolicy,
                                XceiveDrive::kLockRegister};
const XceiveDrive kUnaddressed = {XceiveDrive::kUnaddressed, 0, XceiveDrive::kNoStrobe, XceiveDrive::kSecondPolicy,
                                  XceiveDrive::kLockRegister};

std::string Hex(const std::vector<BYTE>& bytes)
{
    std::string text;
    for (BYTE b : bytes) {
        char hex[4];
        snprintf(hex, sizeof(hex), " %02X", b);
        text += hex;
    }
    return text;
}

std::vector<BYTE> Counting(int count, BYTE first)
{
    std::vector<BYTE> bytes(count);
    for (int i = 0; i < count; ++i)
        bytes[i] = (BYTE)(first + i);
    return bytes;
}

void Append(std::vector<BYTE>* table, WORD header, const std::vector<BYTE>& body = std::vector<BYTE>())
{
    table->push_back(HIBYTE(header));
    table->push_back(LOBYTE(header));
    table->insert(table->end(), body.begin(), body.end());
}

// The names of the tables in the order their naming records went out.
std::vector<std::string> TablesSent(const Lines& lines)
{
    std::vector<std::string> names;
    for (const std::string& line : lines) {
        size_t at = 0;
        if (line.compare(0, 8, "W C2 FE ") == 0)
            at = 8;
        else if (line.compare(0, 5, "W FE ") == 0)
            at = 5;
        else
            continue;
        std::string name;
        for (size_t p = at; p + 1 < line.size(); p += 3)
            name += (char)strtoul(line.substr(p, 2).c_str(), NULL, 16);
        names.push_back(name);
    }
    return names;
}

size_t Count(const Lines& lines, const std::string& line)
{
    return (size_t)std::count(lines.begin(), lines.end(), line);
}

} // namespace

// Records above 63 data bytes go out in chunks that repeat the register byte; waits and
// resets inside the table run where they stand; the end word ends the walk.
TEST(XceiveSender, ChunksWaitsResetsAndTheEndWord)
{
    std::vector<BYTE> r64 = Counting(64, 0x40);
    std::vector<BYTE> r65 = Counting(65, 0x80);
    std::vector<BYTE> table;
    Append(&table, 64, r64);
    Append(&table, 65, r65);
    Append(&table, 0x8064);
    Append(&table, 0x0000);
    Append(&table, 1, {0x33});
    Append(&table, 0xFFFF);
    Append(&table, 2, {0x44, 0x55});

    std::string r64Data = Hex(std::vector<BYTE>(r64.begin() + 1, r64.end()));
    std::string r65First = Hex(std::vector<BYTE>(r65.begin() + 1, r65.begin() + 64));
    std::string r65Last = Hex(std::vector<BYTE>(r65.begin() + 64, r65.end()));
    const Lines reset = {"line 0", "wait 200", "line 1"};

    ChipBusRecorder bus;
    CXceiveChip chip(&bus);
    EXPECT_TRUE(chip.SendTable(table, kAddressed));
    Lines addressed = {"W C2 40" + r64Data, "wait 10", "W C2 80" + r65First, "wait 10", "W C2 80" + r65Last,
                       "wait 10", "wait 100"};
    addressed.insert(addressed.end(), reset.begin(), reset.end());
    EXPECT_EQ(addressed, bus.Calls());

    bus.Clear();
    EXPECT_TRUE(chip.SendTable(table, kUnaddressed));
    Lines unaddressed = {"W 40" + r64Data, "W 80" + r65First, "W 80" + r65Last, "wait 100"};
    unaddressed.insert(unaddressed.end(), reset.begin(), reset.end());
    EXPECT_EQ(unaddressed, bus.Calls());

    bus.Clear();
    XceiveDrive sif = kAddressed;
    sif.chunkWaitMs = 20;
    EXPECT_TRUE(chip.SendTable(table, sif));
    EXPECT_EQ(3u, Count(bus.Calls(), "wait 20"));
}

TEST(XceiveSender, FailuresStopTheTable)
{
    std::vector<BYTE> table;
    Append(&table, 3, {0x10, 0x01, 0x02});
    Append(&table, 0x0000);
    Append(&table, 3, {0x11, 0x01, 0x02});
    Append(&table, 0xFFFF);
    CXceiveChip chip(NULL);
    EXPECT_FALSE(chip.SendTable(table, kAddressed));

    ChipBusRecorder bus;
    CXceiveChip onBus(&bus);
    bus.result = [](const std::string& line) { return line == "W C2 10 01 02" ? E_FAIL : S_OK; };
    EXPECT_FALSE(onBus.SendTable(table, kAddressed));
    EXPECT_EQ(Lines({"W C2 10 01 02"}), bus.Calls());

    bus.Clear();
    bus.result = [](const std::string& line) { return line == "line 1" ? E_FAIL : S_OK; };
    EXPECT_FALSE(onBus.SendTable(table, kAddressed));
    EXPECT_EQ(Lines({"W C2 10 01 02", "wait 10", "line 0", "wait 200", "line 1"}), bus.Calls());

    // No record and no reset; a record running past the table; no end word.
    bus.result = [](const std::string&) { return S_OK; };
    std::vector<BYTE> waitsOnly;
    Append(&waitsOnly, 0x800A);
    Append(&waitsOnly, 0xFFFF);
    EXPECT_FALSE(onBus.SendTable(waitsOnly, kAddressed));
    std::vector<BYTE> cut;
    Append(&cut, 9, {0x10, 0x01});
    EXPECT_FALSE(onBus.SendTable(cut, kAddressed));
    std::vector<BYTE> endless;
    Append(&endless, 2, {0x10, 0x01});
    EXPECT_FALSE(onBus.SendTable(endless, kAddressed));
}

// The generated tables have the chip firmware's shape: sizes, records, largest record,
// resets and waits, and a first record that names them.
TEST(XceiveTables, EveryTableHasItsShape)
{
    struct Shape
    {
        CXceiveTables::Table table;
        size_t size;
        int records, largest, resets, waits;    // largest 0: every record at most 13 bytes
    };
    const Shape shapes[] = {
        {CXceiveTables::kMBase, 6483, 22, 3837, 2, 1},
        {CXceiveTables::kBgBase, 6503, 22, 3857, 2, 1},
        {CXceiveTables::kMStandard, 171, 23, 0, 0, 0},
        {CXceiveTables::kBgStandard, 171, 23, 0, 0, 0},
        {CXceiveTables::kDkStandard, 171, 23, 0, 0, 0},
        {CXceiveTables::kIStandard, 171, 23, 0, 0, 0},
        {CXceiveTables::kSecamBglStandard, 171, 23, 0, 0, 0},
        {CXceiveTables::kMStandard2, 163, 21, 0, 0, 0},
        {CXceiveTables::kBgiStandard2, 163, 21, 0, 0, 0},
        {CXceiveTables::kDkStandard2, 163, 21, 0, 0, 0},
        {CXceiveTables::kLStandard2, 163, 21, 0, 0, 0},
    };
    CXceiveTables tables;
    std::vector<std::string> names;
    for (const Shape& s : shapes) {
        const std::vector<BYTE>& t = tables.Get(s.table);
        SCOPED_TRACE(CXceiveTables::Name(s.table));
        EXPECT_EQ(s.size, t.size());
        int records = 0, largest = 0, resets = 0, waits = 0;
        size_t p = 0;
        std::string name;
        while (p + 2 <= t.size() && !(t[p] == 0xFF && t[p + 1] == 0xFF)) {
            int header = t[p] << 8 | t[p + 1];
            p += 2;
            if (header == 0) {
                ++resets;
            } else if (header & 0x8000) {
                EXPECT_EQ(0x8064, header);
                ++waits;
            } else {
                if (records++ == 0) {
                    EXPECT_EQ(CXceiveTables::kNameRegister, t[p]);
                    name.assign((const char*)&t[p + 1], header - 1);
                }
                largest = std::max(largest, header);
                p += header;
            }
        }
        EXPECT_EQ(t.size(), p + 2) << "the end word closes the table";
        EXPECT_EQ(s.records, records);
        if (s.largest)
            EXPECT_EQ(s.largest, largest);
        else
            EXPECT_LE(largest, 13);
        EXPECT_EQ(s.resets, resets);
        EXPECT_EQ(s.waits, waits);
        EXPECT_EQ(CXceiveTables::Name(s.table), name);
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names.end(), std::unique(names.begin(), names.end())) << "every table has its own name";
}

TEST(XceiveTables, EachModelOwnsItsCopy)
{
    CXceiveChip first(NULL), second(NULL);
    EXPECT_NE(first.Tables().Get(CXceiveTables::kMBase).data(), second.Tables().Get(CXceiveTables::kMBase).data());
    EXPECT_EQ(first.Tables().Get(CXceiveTables::kMBase), second.Tables().Get(CXceiveTables::kMBase));
}

class XceiveModels : public testing::Test
{
protected:
    void SetUp() override { FakeSignalLock::Reset(); }

    // The model of setup over the recorder, its owner in setup's mode.
    CTunerModel* Open(const ModelSetup& setup)
    {
        m_owner.reset(new ModeDevice(setup.mode));
        m_model = MakeModel(setup.model, &m_bus);
        m_model->SetOwnerDevice(m_owner.get());
        return m_model.get();
    }

    ChipBusRecorder m_bus;
    std::unique_ptr<ModeDevice> m_owner;
    std::unique_ptr<CTunerModel> m_model;
};

// A model in one access mode and the wait after each chunk its tables go out in.
struct SenderSetup
{
    ModelSetup setup;
    int chunkWaitMs;    // 0: no wait after a chunk
};

const std::vector<SenderSetup> kFirstPolicyModels = {{{"2028 mode 3", k2028, 3}, 10},
                                                     {{"2028 mode 12", k2028, 12}, 10},
                                                     {{"3028 mode 3", k3028, 3}, 10},
                                                     {{"3028AF", k3028AF, 0}, 10}};
const std::vector<SenderSetup> kSecondPolicyModels = {{{"2028 mode 0", k2028, 0}, 0},
                                                      {{"2028 mode 13", k2028, 13}, 10},
                                                      {{"3028 mode 13", k3028, 13}, 10},
                                                      {{"3028SIF", k3028SIF, 3}, 20}};

// Every chunk of a table is followed by the setup's wait, and no other chunk wait stands
// anywhere; without a chunk wait neither 10 nor 20 ms appears.
void ExpectChunkWaits(const Lines& calls, int chunkWaitMs)
{
    const std::string wait = "wait " + std::to_string(chunkWaitMs);
    size_t chunks = 0, unfollowed = 0;
    std::string first;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].compare(0, 2, "W ") != 0)
            continue;
        ++chunks;
        if (chunkWaitMs && (i + 1 == calls.size() || calls[i + 1] != wait) && unfollowed++ == 0)
            first = calls[i];
    }
    EXPECT_EQ(0u, unfollowed) << "chunks without their wait, the first: " << first;
    EXPECT_LT(100u, chunks) << "the base table alone goes out in more than a hundred chunks";
    EXPECT_EQ(chunkWaitMs == 10 ? chunks : 0, Count(calls, "wait 10"));
    EXPECT_EQ(chunkWaitMs == 20 ? chunks : 0, Count(calls, "wait 20"));
}

// Both policies choose the same base table; the standard tables differ. The first policy
// resets, then sends the tables with 100 ms between them, and refuses a standard it does not
// list; the second sends them back to back and leaves the chip alone for such a standard.
// Each model and access mode waits its own time after every chunk.
TEST_F(XceiveModels, EachPolicyChoosesItsTablesByStandard)
{
    struct Row
    {
        int standard;
        const char* base;
        const char* first;
        const char* second;
    };
    const Row rows[] = {
        {AnalogVideo_NTSC_M, "M BASE", "M/171", "M/163"},       {AnalogVideo_NTSC_M_J, "M BASE", "M/171", "M/163"},
        {AnalogVideo_NTSC_433, "M BASE", "M/171", "M/163"},     {AnalogVideo_PAL_H, "M BASE", "M/171", "M/163"},
        {AnalogVideo_PAL_M, "M BASE", "M/171", "M/163"},        {AnalogVideo_PAL_N, "M BASE", "M/171", "M/163"},
        {AnalogVideo_PAL_60, "M BASE", "M/171", "M/163"},       {AnalogVideo_PAL_B, "BG BASE", "BG/171", "BGI/163"},
        {AnalogVideo_PAL_G, "BG BASE", "BG/171", "BGI/163"},    {AnalogVideo_PAL_D, "BG BASE", "DK/171", "BGI/163"},
        {AnalogVideo_PAL_I, "BG BASE", "I/171", "BGI/163"},     {AnalogVideo_SECAM_B, "BG BASE", "SBGL/171", "BGI/163"},
        {AnalogVideo_SECAM_G, "BG BASE", "SBGL/171", "BGI/163"}, {AnalogVideo_SECAM_D, "BG BASE", "DK/171", "DK/163"},
        {AnalogVideo_SECAM_H, "BG BASE", "DK/171", "DK/163"},   {AnalogVideo_SECAM_K, "BG BASE", "DK/171", "DK/163"},
        {AnalogVideo_SECAM_K1, "BG BASE", "DK/171", "DK/163"},  {AnalogVideo_SECAM_L, "BG BASE", "SBGL/171", "L/163"},
        {AnalogVideo_SECAM_L1, "BG BASE", "SBGL/171", "L/163"},
    };
    const Lines reset = {"line 0", "wait 200", "line 1"};
    for (int policy = 0; policy < 2; ++policy) {
        bool first = policy == 0;
        for (const SenderSetup& sender : first ? kFirstPolicyModels : kSecondPolicyModels) {
            const ModelSetup& setup = sender.setup;
            CTunerModel* model = Open(setup);
            for (const Row& row : rows) {
                SCOPED_TRACE(testing::Message() << setup.name << ", standard " << row.standard);
                m_bus.Clear();
                EXPECT_TRUE(model->SetVideoStandard(row.standard));
                const Lines& calls = m_bus.Calls();
                EXPECT_EQ(std::vector<std::string>({row.base, first ? row.first : row.second}), TablesSent(calls));
                ASSERT_GE(calls.size(), 3u);
                EXPECT_EQ(reset, Lines(calls.begin(), calls.begin() + 3));
                EXPECT_EQ(3u, Count(calls, "line 1")) << "the reset and the base table's two";
                EXPECT_EQ(first ? 2u : 1u, Count(calls, "wait 100")) << "the base table's own, and one between";
                ExpectChunkWaits(calls, sender.chunkWaitMs);
            }
            m_bus.Clear();
            EXPECT_EQ(first ? FALSE : TRUE, model->SetVideoStandard(AnalogVideo_PAL_N_COMBO)) << setup.name;
            EXPECT_EQ(first ? reset : Lines(), m_bus.Calls()) << setup.name;
        }
    }
}

// The second policy runs all three steps and reports their AND; the first continues to the
// standard table after a failed base table.
TEST_F(XceiveModels, FailedTablesStillRunTheNextStep)
{
    Open({"2028 mode 13", k2028, 13});
    m_bus.result = [](const std::string& line) { return line == "line 1" ? E_FAIL : S_OK; };
    EXPECT_FALSE(m_model->SetVideoStandard(AnalogVideo_PAL_B));
    // The reset failed, the base table stopped at its first entry, a reset; the standard
    // table went out all the same.
    EXPECT_EQ(std::vector<std::string>({"BGI/163"}), TablesSent(m_bus.Calls()));

    Open({"2028 mode 3", k2028, 3});
    m_bus.Clear();
    m_bus.result = [](const std::string& line) { return line.compare(0, 8, "W C2 FE ") == 0 ? E_FAIL : S_OK; };
    EXPECT_FALSE(m_model->SetVideoStandard(AnalogVideo_PAL_B));
    EXPECT_EQ(1u, Count(m_bus.Calls(), "wait 100")) << "the wait between the tables";
    EXPECT_EQ(2u, TablesSent(m_bus.Calls()).size());
}

TEST_F(XceiveModels, TuningWordsAndStrobes)
{
    struct Case
    {
        ModelSetup setup;
        Lines calls;
    };
    const Lines gpio = {"wait 10", "gpio 1 0", "wait 10", "gpio 0 0"};
    const Case cases[] = {
        {{"2028 mode 3", k2028, 3},
         {"W C2 00 02 00 00", "wait 10", "gpio 1 0", "wait 10", "gpio 0 0", "wait 20", "W C2 00 00 2B D0", "wait 10"}},
        {{"2028 mode 13", k2028, 13}, {"W C2 00 02 00 00", "wait 20", "W C2 00 00 2B D0", "wait 10"}},
        {{"2028 mode 0", k2028, 0}, {"W 00 02 00 00", "wait 20", "W 00 00 2B D0", "wait 10"}},
        {{"3028AF", k3028AF, 0},
         {"W C2 00 02 00 00", "wait 10", "gpio 1 0", "wait 10", "gpio 0 0", "wait 20", "W C2 00 00 2B D0", "wait 10"}},
        {{"3028SIF", k3028SIF, 0},
         {"W C2 00 02 00 00", "line2 1", "wait 200", "line2 0", "wait 20", "W C2 00 00 2B D0", "wait 10"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup.name);
        CTunerModel* model = Open(c.setup);
        m_bus.Clear();
        EXPECT_TRUE(model->SetTvFrequency(175250));
        EXPECT_EQ(c.calls, m_bus.Calls());

        // A refused mode word ends the tuning.
        m_bus.Clear();
        m_bus.result = [](const std::string& line) { return line.find("02 00 00") != std::string::npos ? S_FALSE : S_OK; };
        EXPECT_FALSE(model->SetTvFrequency(175250));
        EXPECT_EQ(1u, m_bus.Calls().size());
        m_bus.result = [](const std::string&) { return S_OK; };
    }
    Open({"2028 mode 3", k2028, 3});
    m_bus.Clear();
    EXPECT_TRUE(m_model->SetTvFrequency(471250));
    EXPECT_EQ("W C2 00 00 75 D0", m_bus.Transfers().back());
}

TEST_F(XceiveModels, StatusReadsOfEachMode)
{
    struct Case
    {
        ModelSetup setup;
        Lines calls;
        // The answers read as locked and as not, and the codes they give.
        std::vector<BYTE> lockedAnswer, idleAnswer;
        int lockedCode, idleCode;
        BOOL idleResult;
    };
    const Case cases[] = {
        {{"2028 mode 3", k2028, 3}, {"W C2 00 02", "wait 50", "R C2 4"}, {0x00, 0x01, 0, 0}, {0x00, 0x00, 0, 0}, 1, 0,
         TRUE},
        {{"2028 mode 13", k2028, 13}, {"W C2 00 02", "wait 50", "R C2 4"}, {0x00, 0x01, 0, 0}, {0x01, 0x00, 0, 0}, 1,
         0, TRUE},
        {{"3028SIF", k3028SIF, 0}, {"W C2 00 02", "wait 50", "R C2 4"}, {0x00, 0x01, 0, 0}, {0x00, 0x02, 0, 0}, 1, 0,
         TRUE},
        // Unaddressed: the two bytes read make the code, high byte first.
        {{"2028 mode 0", k2028, 0}, {"W 00 02", "wait 50", "R C2 2"}, {0x00, 0x01}, {0x01, 0x00}, 1, 256, FALSE},
        {{"2028 mode 12", k2028, 12}, {"reg 3A"}, {0xFE}, {0x01}, 1, 0, TRUE},
        {{"2028 mode 14", k2028, 14}, {"reg 3A"}, {0xFE}, {0x01}, 1, 0, TRUE},
        {{"3028AF", k3028AF, 0}, {"reg 3A"}, {0x00}, {0xFF}, 1, 0, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup.name);
        CTunerModel* model = Open(c.setup);
        int code = CTunerModel::kNoCode;
        std::vector<BYTE> answer = c.lockedAnswer;
        m_bus.blockAnswer = [&answer](int) { return answer; };
        m_bus.byteAnswer = [&answer](BYTE, DWORD) { return answer[0]; };

        m_bus.Clear();
        EXPECT_EQ(c.lockedCode == 1, model->GetTvStatus(&code) == TRUE);
        EXPECT_EQ(c.calls, m_bus.Calls());
        EXPECT_EQ(c.lockedCode, code);
        if (c.lockedCode == 1) {
            EXPECT_TRUE(model->IsTvLocked());
        }

        answer = c.idleAnswer;
        EXPECT_EQ(c.idleResult, model->GetTvStatus(&code));
        EXPECT_EQ(c.idleCode, code);
        EXPECT_FALSE(model->IsTvLocked());

        // A failed read: no lock.
        m_bus.result = [](const std::string& line) { return line[0] == 'R' || line[0] == 'r' ? E_FAIL : S_OK; };
        EXPECT_FALSE(model->GetTvStatus(&code));
        EXPECT_NE(1, code);
        m_bus.result = [](const std::string&) { return S_OK; };
    }

    // The unaddressed form's failed request leaves code 2.
    Open({"2028 mode 0", k2028, 0});
    m_bus.result = [](const std::string&) { return E_FAIL; };
    int code = CTunerModel::kNoCode;
    EXPECT_FALSE(m_model->GetTvStatus(&code));
    EXPECT_EQ(2, code);
}

TEST_F(XceiveModels, SignalLockFromTheCardRegisterOrTheOwner)
{
    FakeSignalLock::answer = [](long* locked) { return *locked = 1, S_OK; };
    m_bus.byteAnswer = [](BYTE, DWORD) { return (BYTE)0x00; };
    struct Case
    {
        ModelSetup setup;
        bool asksOwner;
    };
    const Case cases[] = {
        {{"2028 mode 3", k2028, 3}, false}, {{"2028 mode 12", k2028, 12}, false}, {{"2028 mode 0", k2028, 0}, true},
        {{"2028 mode 13", k2028, 13}, true}, {{"3028AF", k3028AF, 0}, false},    {{"3028SIF", k3028SIF, 3}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup.name);
        CTunerModel* model = Open(c.setup);
        m_bus.Clear();
        FakeSignalLock::calls = 0;
        int locked = 0;
        EXPECT_TRUE(model->IsSignalLocked(&locked));
        EXPECT_EQ(1, locked);
        EXPECT_EQ(c.asksOwner ? 1 : 0, FakeSignalLock::calls);
        EXPECT_EQ(c.asksOwner ? Lines() : Lines({"reg 3A"}), m_bus.Calls());
    }
}

TEST_F(XceiveModels, LoadBaseTablesSendsTheMBaseAndTheBgiTable)
{
    Open({"2028 mode 3", k2028, 3});
    CTunerXCEIVE2028* model = static_cast<CTunerXCEIVE2028*>(m_model.get());
    EXPECT_TRUE(model->LoadBaseTables());
    EXPECT_EQ(std::vector<std::string>({"M BASE", "BGI/163"}), TablesSent(m_bus.Calls()));
    const Lines& calls = m_bus.Calls();
    EXPECT_EQ(Lines({"line 0", "wait 200", "line 1", "wait 100"}), Lines(calls.begin(), calls.begin() + 4));

    // A failed base table sends no standard table.
    m_bus.Clear();
    m_bus.result = [](const std::string& line) { return line.compare(0, 8, "W C2 FE ") == 0 ? E_FAIL : S_OK; };
    EXPECT_FALSE(model->LoadBaseTables());
    EXPECT_EQ(1u, TablesSent(m_bus.Calls()).size());
}

TEST_F(XceiveModels, WithoutAccessEverythingFails)
{
    for (Model which : {k2028, k3028AF, k3028SIF}) {
        std::unique_ptr<CTunerModel> model = MakeModel(which, NULL);
        int code = CTunerModel::kNoCode;
        EXPECT_FALSE(model->SetTvFrequency(175250));
        EXPECT_FALSE(model->SetVideoStandard(AnalogVideo_PAL_B));
        EXPECT_FALSE(model->GetTvStatus(&code));
        EXPECT_EQ(CTunerModel::kNoCode, code);
    }
}
