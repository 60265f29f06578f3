// Type codes, solving status, error codes and handles shared by every class of
// the constraint manager.
#pragma once

#include <cstdint>

// The type of every object; also the index of the command words
// (KorNamesManager::TypePatterns) and of the generated-name counters.
enum KOREntityType : int {
    KOR_EMPTY = 0,
    KOR_COINCIDENT = 1,
    KOR_COLINEAR = 2,
    KOR_PARALLEL = 3,
    KOR_VERTICAL = 4,
    KOR_HORIZONTAL = 5,
    KOR_TANGENT = 6,
    KOR_CONCENTRIC = 7,
    KOR_DISTANCE = 8,
    KOR_NSDISTANCE = 9,
    KOR_SSDISTANCE = 10,
    KOR_VERTICAL_DISTANCE = 11,
    KOR_HORIZONTAL_DISTANCE = 12,
    KOR_RADIUS = 13,
    KOR_ANGLE = 14,
    KOR_UNMOVABLE = 15,
    KOR_SYMMETRY = 16,
    KOR_NODE = 17,
    KOR_SEGMENT = 18,
    KOR_CIRCLE = 19,
    KOR_ARC = 20,
    KOR_DELETE = 21,
    KOR_RESOLVE = 22,
    KOR_VALUE = 23,
    KOR_PERPENDICULAR = 24,
    KOR_LINEAR_TRACKER = 25,
    KOR_CIRCULAR_TRACKER = 26,
    KOR_WEIGHT = 27,
    KOR_NODE_COINCIDENT = 28,
};

inline constexpr int KOR_NUM_ENTITY_TYPES = 29;

// Solving status of nodes, trackers and dimensions. The values carry no names
// of their own: their meaning depends on the holder (node: 0 not placed,
// 2 placed; tracker: 0 free, 1 turns about its pivot, 2 fixed, 3 direction
// held, 4..7 circle states; dimension: 0 not solved, 2 solved).
enum KORStatusType : int {};

// Error codes a model records (the first one sticks until the next Resolve).
enum KORErrorType : int {
    KOR_ERR_NONE = 0,
    KOR_ERR_CREATE = 3,            // creation failed
    KOR_ERR_EQUAL_PRIMITIVE = 5,   // an equal primitive exists
    KOR_ERR_NODES = 6,             // handles not distinct nodes, create or merge failed
    KOR_ERR_REFUSED = 7,           // radius or unmovable refused
    KOR_ERR_UNSUPPORTED = 8,       // kind of constraint not supported / coincidence refused
    KOR_ERR_ALIGNMENT = 9,         // alignment conflict
    KOR_ERR_UNKNOWN_OBJECT = 11,   // unknown handle or wrong kind for removal
    KOR_ERR_WRONG_KIND = 12,       // handle of the wrong kind
    KOR_ERR_EQUAL_DIMENSION = 13,  // an equal dimension exists / not added
    KOR_ERR_NO_SOLUTION = 14,
    KOR_ERR_CONDITIONS = 16,       // conditions not met, or a re-solve failed
    KOR_ERR_RULES = 17,            // rules exhausted
    KOR_ERR_CUTOFF = 18,           // search cut off
};

// Entity handles: counted from 1 and never reused until the model is cleared;
// 0 means none or failure.
using KorHandle = std::uint32_t;

// Called with the node's handle and new position after the node moved.
using KorMoveCallback = void (*)(KorHandle, double, double);

// Counts and indices that the model keeps in 16 bits stop here.
inline constexpr int KOR_MAX_COUNT = 32767;
