#include "zup_column.h"

ZupColumn::ZupColumn()
{
    mDepth = GetDefaultDepth();
}

int ZupColumn::GetDefaultDepth() { return IsMetric() ? 60 : 25; }

void ZupColumn::Setup(std::uint32_t word)
{
    SetType(GetUODType(word));
    mDepth = GetUODDepth(word);
}

ZupRoomObject* ZupColumn::Clone(ZupRoomObject*)
{
    auto* copy = new ZupColumn();
    copy->mDepth = mDepth;
    copy->SetType(ZupObject::GetType());
    return copy;
}

std::string ZupColumn::GetVCRLine()
{
    unsigned word = 0;
    SetUODType(word);
    SetUODDepth(word);
    return "Obj==Column(" + PositionText() + "," + std::to_string(word) + ")\n";
}

ZupSpiralStair::ZupSpiralStair()
{
    mDepth = GetDefaultSize();
}

int ZupSpiralStair::GetDefaultSize() { return IsMetric() ? 150 : 60; }

void ZupSpiralStair::Setup(std::uint32_t word)
{
    mDepth = GetUODDepth(word);
}

ZupRoomObject* ZupSpiralStair::Clone(ZupRoomObject*)
{
    auto* copy = new ZupSpiralStair();
    copy->mDepth = mDepth;
    return copy;
}

std::string ZupSpiralStair::GetVCRLine()
{
    unsigned word = 0;
    SetUODDepth(word);
    return "Obj==SpiralStair(" + PositionText() + "," + std::to_string(word) + ")\n";
}
