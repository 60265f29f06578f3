// Joining consecutive pieces of a new wall.
#pragma once

#include <map>
#include <vector>

class KorModel;
class KorNode;
class KorPrimitive;

// A colinear between two consecutive pieces on different trackers.
void ZupJoinColinear(KorModel* model, KorPrimitive* previous, KorPrimitive* next);

// The distinct nodes of a span map in parameter order.
std::vector<KorNode*> ZupSpanNodes(const std::multimap<double, KorNode*>& map);
// A reused wall runs between p and q (either way) afterwards.
void ZupReusePiece(KorPrimitive* reuse, KorNode* p, KorNode* q);
