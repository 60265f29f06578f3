#include "zup_chain.h"

#include "zup_partition.h"

bool ZupPartitionLess::operator()(const ZupPartition* a, const ZupPartition* b) const
{
    return a->GetSerial() < b->GetSerial();
}

ZupChain::~ZupChain()
{
    Clean();
}

ZupLink* ZupChain::Get1stLink()
{
    mCursor = 0;
    mbCursor = !mLinks.empty();
    return mbCursor ? mLinks[mCursor] : nullptr;
}

ZupLink* ZupChain::GetNextLink()
{
    if (!mbCursor || ++mCursor >= mLinks.size()) {
        mbCursor = false;
        return nullptr;
    }
    return mLinks[mCursor];
}

void ZupChain::Clean()
{
    while (!mLinks.empty()) {
        delete mLinks.back();
        mLinks.pop_back();
    }
    mCursor = 0;
    mbCursor = false;
}
