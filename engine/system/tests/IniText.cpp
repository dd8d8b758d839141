#include "IniText.h"

IniText::IniText(const std::string& bytes)
    : crlfOnly(true)
{
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line.back() != '\r')
            crlfOnly = false;
        else
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            sections.push_back(Section{line.substr(1, line.size() - 2), {}});
        else if (!sections.empty() && line.find('=') != std::string::npos)
            sections.back().values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
}

const IniText::Section* IniText::Find(const std::string& name) const
{
    for (const Section& section : sections) {
        if (section.name == name)
            return &section;
    }
    return nullptr;
}

std::string IniText::Value(const std::string& section, const std::string& key) const
{
    const Section* found = Find(section);
    if (!found || !found->values.count(key))
        return "<missing>";
    return found->values.at(key);
}

std::vector<std::string> IniText::SectionNames() const
{
    std::vector<std::string> names;
    for (const Section& section : sections)
        names.push_back(section.name);
    return names;
}
