#pragma once

#include "TunerModel.h"

#include <vector>

// A tuner model class opened up for tests: the fields the capture device sets or reads.
template <class Model>
class ModelProbe : public Model
{
public:
    explicit ModelProbe(CI2CAccess* access) : Model(access) {}

    void StoreStandard(int standard) { this->m_videoStandard = standard; }
    int Standard() const { return this->m_videoStandard; }
    int TypeId() const { return this->m_typeId; }
    int SecondTypeId() const { return this->m_secondTypeId; }
    int MakerLetter() const { return this->m_makerLetter; }
    BOOL ReapplyStandard() const { return this->m_reapplyStandard; }
    const std::vector<int>& Standards() const { return this->m_supportedStandards; }
};
