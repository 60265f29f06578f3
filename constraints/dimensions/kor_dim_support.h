// Small steps shared by the angle, radius, tangency, symmetry and
// orthogonal/node-segment/segment-segment distance dimensions.
#pragma once

#include <cstdint>
#include <vector>

#include "kor_types.h"
#include "point.h"

class circle;
class geolist;
class line;
class KorCirTracker;
class KorModel;
class KorTracker;

inline KORStatusType KorSt(int status) { return static_cast<KORStatusType>(status); }

// True when p lies left of the directed line from a to b (the side flag the
// tangencies record and compare later).
bool KorLeftOf(const point& p, const point& a, const point& b);
// The foot of p on l.
point KorFootOn(const line& l, const point& p);
// The circle built from the list becomes the tracker's circle when it is
// finite with a positive radius; false, tracker unchanged, otherwise.
bool KorRefitCircle(KorCirTracker* tracker, const geolist& list);
// Sets a positive, finite radius; false, nothing changed, otherwise.
bool KorSetRadius(KorCirTracker* tracker, double radius);
// The line becomes l when l is finite; false, unchanged, otherwise.
bool KorSetLine(line& target, const line& l);

// An auxiliary that the model also lists may die first (DeleteDimensions,
// a tracker's or a node's dependants): its owner finds it through its
// creation serial, never through a possibly reused address.
template <typename T>
T* KorFindLive(const std::vector<T*>& list, std::uint64_t serial)
{
    if (serial == 0)
        return nullptr;
    for (T* item : list)
        if (item->GetSerial() == serial)
            return item;
    return nullptr;
}

class KorDimaint;
class KorEntity;
class KorLinTracker;

// The line tracker of a segment; null for anything else.
KorLinTracker* KorSegmentLine(KorEntity* entity);
// The tracker holds a vertical or horizontal alignment.
bool KorIsAlignedTracker(const KorTracker* tracker);
// The tracker's status as a number; -1 without a tracker.
int KorStatusOf(const KorTracker* tracker);
// The dimaint with that serial while the entity still lists it: an owned
// part that others may delete first (the entity's dependants) is found, or
// known gone, without touching its address.
KorDimaint* KorFindAttached(KorEntity* entity, std::uint64_t serial);
