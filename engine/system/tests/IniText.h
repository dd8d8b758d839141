#pragma once

#include <map>
#include <string>
#include <vector>

// A saved ini file read back by the tests themselves, without the program's ini class:
// its sections in file order, each with its keys and values.
struct IniText
{
    struct Section
    {
        std::string name;
        std::map<std::string, std::string> values;
    };

    explicit IniText(const std::string& bytes);

    // NULL when the file has no such section.
    const Section* Find(const std::string& name) const;
    // "<missing>" when the section or the key is missing.
    std::string Value(const std::string& section, const std::string& key) const;
    std::vector<std::string> SectionNames() const;

    std::vector<Section> sections;
    bool crlfOnly;  // every line ends in CR LF
};
