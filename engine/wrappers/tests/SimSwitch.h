#pragma once

#include <string>

// One value of a stand-in module's switches (HKLM\Software\Sim\<module>) for the scope.
class SimSwitch
{
public:
    SimSwitch(const char* module, const char* name, const char* text);
    ~SimSwitch();

private:
    std::string m_key;
    std::string m_name;
};
