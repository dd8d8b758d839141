#include "Mutator.h"

#include <algorithm>
#include <vector>

namespace {

// Bytes that mean something to an ini reader or to the code page: NUL, line ends, Ctrl+Z,
// the header and key marks, the field separators, and lead bytes of Chinese characters.
const char kTellingBytes[] = {'\0', '\r', '\n', '\x1A', '[', ']', '=', ',', '|',
                              '\x81', '\xB5', '\xD6', '\xFE', '\xFF', ' ', '-', '9'};

const char* const kOddNumbers[] = {"2147483647", "2147483648", "-1", "-2147483648",
                                   "4294967295", "99999999999999999999", "65536",
                                   "30000000", "0", "-0", "1e308", "0x10", ""};

const char* const kLongPatterns[] = {",", "x", "1,", "\xD6\xD0", "=", "[", "\\"};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

const Mutator::Kind Mutator::kKinds[] = {
    {"flip a bit", &Mutator::FlipBit},
    {"insert a byte", &Mutator::InsertByte},
    {"delete bytes", &Mutator::DeleteRange},
    {"truncate", &Mutator::Truncate},
    {"repeat a line", &Mutator::RepeatLine},
    {"swap lines", &Mutator::SwapLines},
    {"repeat a section", &Mutator::RepeatSection},
    {"swap sections", &Mutator::SwapSections},
    {"odd number", &Mutator::OddNumber},
    {"long value", &Mutator::LongValue},
    {"NUL bytes", &Mutator::InsertNul},
    {"line ends", &Mutator::ChangeLineEnds},
    {"UTF-16", &Mutator::ToUtf16},
    {"half a character", &Mutator::HalfCharacter},
};

Mutator::Mutator(uint64_t seed)
    : m_state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
{
    if (!m_state)
        m_state = 1;
}

uint32_t Mutator::Below(uint32_t limit)
{
    // xorshift64*
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return (uint32_t)((m_state * 0x2545F4914F6CDD1Dull) >> 32) % limit;
}

std::string Mutator::Mutate(const std::string& bytes, std::string& applied)
{
    std::string out = bytes;
    applied.clear();
    int count = 1 + (int)Below(4);
    for (int i = 0; i < count; ++i) {
        const Kind& kind = kKinds[Below(sizeof(kKinds) / sizeof(kKinds[0]))];
        applied += std::string(applied.empty() ? "" : ", ") + kind.name;
        (this->*kind.damage)(out);
    }
    return out;
}

void Mutator::FlipBit(std::string& bytes)
{
    if (!bytes.empty())
        bytes[Below((uint32_t)bytes.size())] ^= (char)(1 << Below(8));
}

void Mutator::InsertByte(std::string& bytes)
{
    char c = Below(2) ? kTellingBytes[Below(sizeof(kTellingBytes))] : (char)Below(256);
    bytes.insert(Position(bytes), 1, c);
}

void Mutator::DeleteRange(std::string& bytes)
{
    if (bytes.empty())
        return;
    size_t at = Below((uint32_t)bytes.size());
    bytes.erase(at, 1 + Below(Below(2) ? 4 : 200));
}

void Mutator::Truncate(std::string& bytes)
{
    bytes.resize(Position(bytes));
}

bool Mutator::PickLine(const std::string& bytes, size_t& start, size_t& end)
{
    if (bytes.empty())
        return false;
    size_t at = Below((uint32_t)bytes.size());
    size_t before = at == 0 ? std::string::npos : bytes.rfind('\n', at - 1);
    start = before == std::string::npos ? 0 : before + 1;
    size_t after = bytes.find('\n', at);
    end = after == std::string::npos ? bytes.size() : after + 1;
    return true;
}

bool Mutator::PickSection(const std::string& bytes, size_t& start, size_t& end)
{
    std::vector<size_t> headers;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '[' && (i == 0 || bytes[i - 1] == '\n'))
            headers.push_back(i);
    if (headers.empty())
        return false;
    size_t k = Below((uint32_t)headers.size());
    start = headers[k];
    end = k + 1 < headers.size() ? headers[k + 1] : bytes.size();
    return true;
}

void Mutator::RepeatLine(std::string& bytes)
{
    size_t start, end;
    if (!PickLine(bytes, start, end))
        return;
    std::string line = bytes.substr(start, end - start);
    int times = Below(8) ? 1 : 1 + (int)Below(1000);
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += line;
    bytes.insert(Below(2) ? end : Position(bytes), repeated);
}

void Mutator::SwapLines(std::string& bytes)
{
    size_t s1, e1, s2, e2;
    if (!PickLine(bytes, s1, e1) || !PickLine(bytes, s2, e2) || s1 == s2)
        return;
    if (s2 < s1) {
        std::swap(s1, s2);
        std::swap(e1, e2);
    }
    std::string first = bytes.substr(s1, e1 - s1), second = bytes.substr(s2, e2 - s2);
    bytes.replace(s2, e2 - s2, first);
    bytes.replace(s1, e1 - s1, second);
}

void Mutator::RepeatSection(std::string& bytes)
{
    size_t start, end;
    if (PickSection(bytes, start, end))
        bytes.insert(Below(2) ? end : Position(bytes), bytes.substr(start, end - start));
}

void Mutator::SwapSections(std::string& bytes)
{
    size_t s1, e1, s2, e2;
    if (!PickSection(bytes, s1, e1) || !PickSection(bytes, s2, e2) || s1 == s2)
        return;
    if (s2 < s1) {
        std::swap(s1, s2);
        std::swap(e1, e2);
    }
    std::string first = bytes.substr(s1, e1 - s1), second = bytes.substr(s2, e2 - s2);
    bytes.replace(s2, e2 - s2, first);
    bytes.replace(s1, e1 - s1, second);
}

// A count or a frequency becomes huge, negative or no number at all.
void Mutator::OddNumber(std::string& bytes)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (IsDigit(bytes[i]) && (i == 0 || !IsDigit(bytes[i - 1])))
            starts.push_back(i);
    const char* number = kOddNumbers[Below(sizeof(kOddNumbers) / sizeof(kOddNumbers[0]))];
    if (starts.empty()) {
        bytes.insert(Position(bytes), number);
        return;
    }
    size_t start = starts[Below((uint32_t)starts.size())];
    size_t end = start;
    while (end < bytes.size() && IsDigit(bytes[end]))
        ++end;
    bytes.replace(start, end - start, number);
}

// Up to two megabytes of one pattern, after an "=" or anywhere.
void Mutator::LongValue(std::string& bytes)
{
    const char* pattern = kLongPatterns[Below(sizeof(kLongPatterns) / sizeof(kLongPatterns[0]))];
    static const uint32_t kLengths[] = {300, 4096, 65536, 1 << 20, 2 << 20};
    uint32_t length = kLengths[Below(sizeof(kLengths) / sizeof(kLengths[0]))];
    std::string value;
    while (value.size() < length)
        value += pattern;
    size_t at = Position(bytes);
    size_t equals = bytes.find('=', at);
    bytes.insert(Below(3) && equals != std::string::npos ? equals + 1 : at, value);
}

void Mutator::InsertNul(std::string& bytes)
{
    int count = 1 + (int)Below(3);
    for (int i = 0; i < count; ++i)
        bytes.insert(Position(bytes), 1, '\0');
}

// CR LF becomes LF, CR, or LF CR, all through the file or once.
void Mutator::ChangeLineEnds(std::string& bytes)
{
    static const char* const kEnds[] = {"\n", "\r", "\n\r", "\r\r\n"};
    const char* end = kEnds[Below(sizeof(kEnds) / sizeof(kEnds[0]))];
    bool once = Below(2) != 0;
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            out += end;
            ++i;
            if (once) {
                out += bytes.substr(i + 1);
                break;
            }
        } else {
            out += bytes[i];
        }
    }
    bytes.swap(out);
}

// Each byte widened to two, as a file saved as Unicode would look to a byte reader, with or
// without its byte-order mark, little- or big-endian.
void Mutator::ToUtf16(std::string& bytes)
{
    bool big = Below(3) == 0;
    std::string out;
    if (Below(4))
        out = big ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : bytes) {
        out += big ? '\0' : c;
        out += big ? c : '\0';
    }
    bytes.swap(out);
}

// A lead byte without its trail: before an "=", before a NUL, at the end, or the second
// byte of a character taken away.
void Mutator::HalfCharacter(std::string& bytes)
{
    char lead = (char)(0x81 + Below(0x7E));
    switch (Below(4)) {
    case 0: {
        size_t equals = bytes.find('=', Position(bytes));
        bytes.insert(equals == std::string::npos ? bytes.size() : equals, 1, lead);
        break;
    }
    case 1:
        bytes.insert(Position(bytes), std::string(1, lead) + '\0');
        break;
    case 2:
        bytes += lead;
        break;
    default:
        for (size_t i = Position(bytes); i + 1 < bytes.size(); ++i) {
            if ((unsigned char)bytes[i] >= 0x81) {
                bytes.erase(i + 1, 1);
                break;
            }
        }
        break;
    }
}
