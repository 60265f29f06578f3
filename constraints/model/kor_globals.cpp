#include "kor_globals.h"

#include "kor_alignment.h"
#include "kor_cir_tracker.h"
#include "kor_dimension.h"
#include "kor_model.h"
#include "kor_names_manager.h"
#include "kor_node.h"
#include "kor_tracker.h"
#include "kor_player.h"

void KorResetGlobals()
{
    KorNamesManager::ResetCounters();
    KorNode::ResetGlobals();     // mFixedTrackers, mbRepeatAlignment
    KorTracker::ResetGlobals();  // mFixedNodes
    KorCirTracker::ResetGlobals();  // mInterpolationDensity
    KorAlignment::ResetGlobals();   // mbSetImplicitColinear
    KorModel::ReorderingLimit() = 22;
    KorPlayer::RemoveOpCodeMap(); // refilled by the next player
    KorDimension::ResetGlobals();   // the shared stop DF
}
