#pragma once

#include <stdint.h>

#include <string>

// Damages the bytes of an ini file the ways a user's files get damaged: a power cut, an edit
// by hand, a copy through another program. Every choice comes from a seed, so a copy can be
// made again from its number alone.
class Mutator
{
public:
    explicit Mutator(uint64_t seed);

    // One to four damages, each picked from the table of kinds; their names go to applied.
    std::string Mutate(const std::string& bytes, std::string& applied);
    // A number below limit (limit > 0).
    uint32_t Below(uint32_t limit);

private:
    typedef void (Mutator::*Damage)(std::string& bytes);
    struct Kind { const char* name; Damage damage; };
    static const Kind kKinds[];

    void FlipBit(std::string& bytes);
    void InsertByte(std::string& bytes);
    void DeleteRange(std::string& bytes);
    void Truncate(std::string& bytes);
    void RepeatLine(std::string& bytes);
    void SwapLines(std::string& bytes);
    void RepeatSection(std::string& bytes);
    void SwapSections(std::string& bytes);
    void OddNumber(std::string& bytes);
    void LongValue(std::string& bytes);
    void InsertNul(std::string& bytes);
    void ChangeLineEnds(std::string& bytes);
    void ToUtf16(std::string& bytes);
    void HalfCharacter(std::string& bytes);

    size_t Position(const std::string& bytes) { return Below((uint32_t)bytes.size() + 1); }
    // Start and end (after its line end) of a random line; FALSE on an empty file.
    bool PickLine(const std::string& bytes, size_t& start, size_t& end);
    bool PickSection(const std::string& bytes, size_t& start, size_t& end);

    uint64_t m_state;
};
