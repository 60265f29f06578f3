#include "room_holds.h"

#include <algorithm>
#include <string>
#include <vector>

#include "kor_alignment.h"
#include "kor_constraint.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "kor_segment.h"
#include "room_floor.h"

namespace {

constexpr int kPlanWidthLayer = 3;

const KorAlignment* AsAlignment(const KorConstraint* c)
{
    return c->GetType() == KOR_VERTICAL || c->GetType() == KOR_HORIZONTAL
               ? dynamic_cast<const KorAlignment*>(c)
               : nullptr;
}

// The room's own dimensions: its solver dimensions (the head of the model's
// list) and its reference dimensions.
std::vector<KorDimension*> OwnDimensions(const CRoomFloor& room)
{
    const std::vector<KorDimension*>& list = room.GetDimensions();
    const std::size_t solver =
        std::min(list.size(), static_cast<std::size_t>(std::max(0, room.GetSolverDimensionCount())));
    std::vector<KorDimension*> own(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(solver));
    for (KorDimension* d : room.GetReferenceDimensions())
        own.push_back(d);
    return own;
}

}  // namespace

std::pair<KorHandle, int> CRoomHolds::Key(const CRoomFloor& room, const KorAlignment& alignment)
{
    return {room.GetHandle(alignment.GetSegment()), static_cast<int>(alignment.GetType())};
}

CRoomHolds::CRoomHolds(CRoomFloor& room)
{
    for (KorDimension* d : OwnDimensions(room))
        if (const KorHandle h = room.GetHandle(d))
            mDimensions[h] = Given{d->IsEnabled(), d->IsEnabled() ? d->GetValueString() : std::string()};
    for (KorConstraint* c : room.GetConstraints())
        if (const KorAlignment* alignment = AsAlignment(c))
            mAlignments.insert(Key(room, *alignment));
    for (KorNode* node : room.GetNodes())
        if (const KorHandle h = room.GetHandle(node))
            mMovable[h] = node->IsMovable();
}

void CRoomHolds::Restore(CRoomFloor& room) const
{
    // Alignments found for the plan go; those the text gave stay. Deleting
    // one may take others with it: the live list is walked from its end.
    const std::vector<KorConstraint*>& constraints = room.GetConstraints();
    for (std::size_t i = constraints.size(); i-- > 0;) {
        if (i >= constraints.size())
            continue;
        const KorAlignment* alignment = AsAlignment(constraints[i]);
        if (alignment && mAlignments.count(Key(room, *alignment)) == 0)
            delete constraints[i];
    }
    for (KorDimension* d : OwnDimensions(room)) {
        // An opening width taken over from the plan stays as the plan gave it.
        if (d->GetLayer() == kPlanWidthLayer)
            continue;
        const auto given = mDimensions.find(room.GetHandle(d));
        if (given == mDimensions.end())
            continue;
        if (given->second.enabled) {
            if (!d->IsEnabled() || d->GetValueString() != given->second.value)
                d->SetValue(given->second.value);
        } else if (!room.IsHeldForPlan(d)) {
            // A length the close holds for the plan stays held until the
            // room is entered, as it did before the room was written.
            d->SetEnabled(false);
        }
    }
    for (KorNode* node : room.GetNodes()) {
        const auto movable = mMovable.find(room.GetHandle(node));
        if (movable != mMovable.end() && node->IsMovable() != movable->second)
            node->SetMovable(movable->second);
    }
    room.CountEnabledAngles();
    room.SetModified(false);
}
